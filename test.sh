#!/usr/bin/env bash
# Builds the dev preset (Debug, -Werror, AddressSanitizer + UBSan) and runs the whole suite;
# then builds and tests the core alone, without any window code.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs=$(nproc)

cmake --preset dev
cmake --build --preset dev -j "$jobs"
ctest --preset dev -j "$jobs"

cmake -S . -B build/noui -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWAGENWART_UI=OFF -DWAGENWART_WERROR=ON \
      -DWAGENWART_BENCH=OFF
cmake --build build/noui -j "$jobs"
ctest --test-dir build/noui --output-on-failure -j "$jobs"
