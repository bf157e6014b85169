#!/usr/bin/env bash
# Builds the ThreadSanitizer build from scratch and runs its tests: the tests of the folders whose
# code runs on several threads, and the end-to-end and operator tests. A race report fails the test
# that raised it. Extra arguments go to ctest (for example -R FrameQueue).
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build/tsan
cmake --preset tsan
cmake --build --preset tsan
ctest --preset tsan -j "$(nproc)" "$@"
