#!/usr/bin/env bash
# Times Quit of the real program against the simulator with live view of 16 channels running: the
# program logs in by itself (KELO_TEST_CONNECT), saves a picture of its window a while after the
# login, and is then ended with SIGTERM, which runs Quit; the time from the signal to the program's
# end is printed. Then the disconnection alone, timed inside one process (kelo_bench_disconnect).
# Usage: run-quit.sh <build folder> [runs]
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
runs=${2:-5}
bin="$build/bin"
work=$(mktemp -d)
sim_pid=""
cleanup() {
  [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
"$bin/kelo-recorder-sim" --port 0 --channels 16 --resolution d1 --loop-seconds 1 > "$work/sim.out" 2> "$work/sim.err" &
sim_pid=$!
for _ in $(seq 1 600); do
  grep -q '^port ' "$work/sim.out" 2>/dev/null && break
  sleep 0.1
done
port=$(sed -n 's/^port //p' "$work/sim.out")
[ -n "$port" ] || { echo "the simulator did not start" >&2; exit 1; }

cat > "$work/one.sh" <<'INNER'
set -euo pipefail
bin=$1; port=$2; shot=$3
XDG_CONFIG_HOME="$(dirname "$shot")/config" HOME="$(dirname "$shot")" KELO_REMOVABLE_MEDIA=0 \
  KELO_TEST_CONNECT="127.0.0.1:$port:admin:1234" KELO_TEST_SCREENSHOT="$shot" \
  KELO_TEST_SCREENSHOT_DELAY_MS=2000 "$bin/kelo1000" 2>/dev/null &
pid=$!
for _ in $(seq 1 1200); do
  [ -s "$shot" ] && break
  sleep 0.05
done
[ -s "$shot" ] || { echo "no login" >&2; kill -9 "$pid"; exit 1; }
start=$(date +%s%N)
kill -TERM "$pid"
wait "$pid" || true
end=$(date +%s%N)
echo $(( (end - start) / 1000000 ))
INNER

times=()
for run in $(seq 1 "$runs"); do
  rm -rf "$work/run" && mkdir -p "$work/run"
  ms=$(xvfb-run -a -s "-screen 0 1280x1024x24" bash "$work/one.sh" "$bin" "$port" "$work/run/shot.png")
  echo "quit $run: $ms ms (load $(cut -d' ' -f1 /proc/loadavg))"
  times+=("$ms")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "quit: median $(echo "$sorted" | sed -n "$(( (runs + 1) / 2 ))p") ms, min $(echo "$sorted" | head -1) ms, max $(echo "$sorted" | tail -1) ms over $runs runs"
kill "$sim_pid" 2>/dev/null || true
sim_pid=""

echo "== disconnect alone; load $(cut -d' ' -f1-3 /proc/loadavg)"
KELO_BIN_DIR="$bin" "$bin/kelo_bench_disconnect" --runs "$runs"
