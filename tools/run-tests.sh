#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: once plain
# (warnings are errors), once under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets for a short bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

jobs=$(nproc)
export CTEST_OUTPUT_ON_FAILURE=1

echo "== plain build, benchmarks included =="
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-Werror -DKORAVEL_BUILD_BENCH=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test -j "$jobs"

echo "== AddressSanitizer and UndefinedBehaviorSanitizer =="
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DKORAVEL_SANITIZE=ON -DKORAVEL_BUILD_APP=OFF
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize -j "$jobs"

echo "== fuzz targets (clang, libFuzzer) =="
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DKORAVEL_BUILD_FUZZ=ON \
    -DKORAVEL_BUILD_TESTS=OFF -DKORAVEL_BUILD_APP=OFF
cmake --build build/fuzz -j "$jobs"
ctest --test-dir build/fuzz -j "$jobs"
