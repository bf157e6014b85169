#!/usr/bin/env bash
# Installs what is missing, builds, and runs the client beside the bundled recorder simulator.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kelo1000 kelo-recorder-sim H264_D1 KeloRes
exec scripts/demo.sh build/release/bin
