#!/usr/bin/env bash
# Runs the live video benchmark: the bare decode of the sixteen streams, then the client in both
# drawing modes on every core and on two cores. Usage: run-live-video.sh <build folder> [seconds]
set -euo pipefail
build=${1:?build folder}
seconds=${2:-30}
bench="$build/bin/kelo_bench_live_video"
export KELO_BIN_DIR="$build/bin"

echo "== bare decode of the same streams"
"$bench" --baseline --seconds "$seconds"
for mode in yuv rgb; do
  echo "== client, $mode, every core"
  "$bench" --mode "$mode" --seconds "$seconds"
  echo "== client, $mode, two cores"
  "$bench" --mode "$mode" --seconds "$seconds" --cpus 0,1
done
