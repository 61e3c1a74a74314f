#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DKORAVEL_BUILD_TESTS=OFF
cmake --build build/release --target koravel
exec build/release/app/Koravel "$@"
