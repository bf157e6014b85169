#!/usr/bin/env bash
# Runs the live video benchmark's matrix: both sources (the simulator's 2 Mbit/s streams over
# loopback, and 2 Mbit/s streams fed straight into the decoders), both drawing modes, on every core
# and on two cores. Each run compares the client with a bare decode of the same streams in the same
# process, side by side. Then the memory over ten minutes and the drawing of one picture per tile size.
# The two-core runs hold the client to KELO_BENCH_CPUS (default 6,7: the cores kept free of builds
# on the shared development machine). The fed streams' key pictures come staggered over the second.
# Then the control answers (kelo_bench_control): one request every 500 ms while live view, and then
# remote playback, stream, on every core and on two cores shared with KELO_BENCH_BUSY (default 4)
# busy processes; and the backup download of KELO_BENCH_BACKUP_MINUTES (default 60) minutes of the
# sixteen channels over loopback.
# Usage: run-live-video.sh <build folder> [seconds] [--long]
set -euo pipefail
build=${1:?build folder}
seconds=${2:-20}
long=${3:-}
bench="$build/bin/kelo_bench_live_video"
cpus=${KELO_BENCH_CPUS:-6,7}
export KELO_BIN_DIR="$build/bin"

echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
for source in "--sim-bitrate 2000" "--feed --loop-seconds 2"; do
  for mode in yuv rgb; do
    for cores in "" "--cpus $cpus"; do
      echo "== client $source, $mode, ${cores:-every core}; load $(cut -d' ' -f1-3 /proc/loadavg)"
      # shellcheck disable=SC2086
      "$bench" $source --mode "$mode" --seconds "$seconds" $cores
    done
  done
done
control="$build/bin/kelo_bench_control"
busy=${KELO_BENCH_BUSY:-4}
for source in "" "--play"; do
  for cores in "" "--cpus $cpus --busy $busy"; do
    echo "== control answers ${source:-live}, ${cores:-every core}; load $(cut -d' ' -f1-3 /proc/loadavg)"
    # shellcheck disable=SC2086
    "$control" --control $source --seconds "$seconds" $cores
  done
done
echo "== backup download; load $(cut -d' ' -f1-3 /proc/loadavg)"
"$control" --backup --minutes "${KELO_BENCH_BACKUP_MINUTES:-60}"
if [ "$long" = "--long" ]; then
  echo "== ten minutes over loopback, resident memory; load $(cut -d' ' -f1-3 /proc/loadavg)"
  "$bench" --sim-bitrate 2000 --mode yuv --seconds 600 --no-baseline
fi
echo "== one picture drawn into a 16-split tile and a full-screen tile"
"$build/bin/kelo_bench_video" --benchmark_min_time=1
