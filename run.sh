#!/usr/bin/env bash
# Builds the release program and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target wagenwart
exec build/release/src/app/wagenwart "$@"
