#!/usr/bin/env bash
# Writes the whole skin into one picture to look at: the main windows assembled from the skin
# bitmaps, then every bitmap with its id. Usage: scripts/skin-contact-sheet.sh [build folder] [picture]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/asan}
out=${2:-$build/skin-contact-sheet.png}
cmake --build "$build" --target kelo-skin-contact-sheet
"$build/bin/kelo-skin-contact-sheet" "$build/bin/libKeloRes.so" "$out"
