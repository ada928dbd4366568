#!/usr/bin/env bash
# Builds the Debian package wagenwart_<version>_amd64.deb from a clean release build:
#     scripts/package.sh            -> build/package/wagenwart_5.3.0_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
rm -rf build/package
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DWAGENWART_TESTS=OFF -DWAGENWART_BENCH=OFF
cmake --build build/package -j "$(nproc)"
(cd build/package && cpack -G DEB)
ls build/package/*.deb
