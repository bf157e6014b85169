#!/usr/bin/env bash
# Runs the live video benchmark: the bare decode of the streams, then the client in both drawing
# modes on every core and on two cores, once with the simulator's 2 Mbit/s streams over loopback and
# once with 2 Mbit/s streams fed straight into the decoders. Usage: run-live-video.sh <build folder> [seconds]
set -euo pipefail
build=${1:?build folder}
seconds=${2:-30}
bench="$build/bin/kelo_bench_live_video"
export KELO_BIN_DIR="$build/bin"

for source in "--sim-bitrate 2000" "--feed --loop-seconds 2"; do
  echo "== bare decode ${source:-(simulator)}"
  # shellcheck disable=SC2086
  "$bench" --baseline $source --seconds "$seconds"
  for mode in yuv rgb; do
    for cores in "" "--cpus 0,1"; do
      echo "== client ${source:-(simulator)} $mode ${cores:-every core}"
      # shellcheck disable=SC2086
      "$bench" $source --mode "$mode" --seconds "$seconds" $cores
    done
  done
done
