#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the program,
# skipping those already present. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(
    cmake g++ make ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev libbenchmark-dev
    clang libclang-rt-14-dev
    fonts-wqy-microhei fonts-noto-cjk
    xvfb xauth xdotool imagemagick
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
