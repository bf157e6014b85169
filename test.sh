#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer build from scratch and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
rm -rf build/asan
cmake --preset asan
cmake --build --preset asan
ctest --preset asan -j "$(nproc)" "$@"
