#!/usr/bin/env bash
# Times the program's start: from starting kelo1000 on a fresh Xvfb display to the first window it
# maps there (the main window shown), read from the root window's MapNotify events. Each run starts
# its own display and, as a desktop has, its own session bus (without one, Qt would start a bus
# daemon inside the timed start).
# Usage: run-startup.sh <build folder> [runs] [cpus]   (cpus: a taskset list, default all)
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
runs=${2:-12}
cpus=${3:-}
bin="$build/bin"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
pin=()
[ -n "$cpus" ] && pin=(taskset -c "$cpus")

cat > "$work/one.sh" <<'INNER'
set -euo pipefail
bin=$1; work=$2; shift 2
events="$work/events"
stdbuf -oL xev -root -event substructure > "$events" &
xev_pid=$!
for _ in $(seq 1 200); do
  [ -e "$events" ] && break
  sleep 0.01
done
sleep 0.2 # xev selects its events only once it has connected
start=$(date +%s%N)
XDG_CONFIG_HOME="$work/config" HOME="$work" KELO_REMOVABLE_MEDIA=0 "$@" "$bin/kelo1000" 2>/dev/null &
pid=$!
end=""
for _ in $(seq 1 20000); do
  if grep -q '^MapNotify' "$events"; then
    end=$(date +%s%N)
    break
  fi
  sleep 0.001
done
kill "$pid" "$xev_pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[ -n "$end" ] || { echo "no window" >&2; exit 1; }
echo $(( (end - start) / 1000000 ))
INNER

echo "== $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores, cpus ${cpus:-all}, load $(cut -d' ' -f1-3 /proc/loadavg)"
times=()
for run in $(seq 1 "$runs"); do
  rm -rf "$work/config" && mkdir -p "$work/config"
  ms=$(xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash "$work/one.sh" "$bin" "$work" "${pin[@]}")
  echo "start $run: $ms ms (load $(cut -d' ' -f1 /proc/loadavg))"
  times+=("$ms")
done
sorted=$(printf '%s\n' "${times[@]}" | sort -n)
echo "start: median $(echo "$sorted" | sed -n "$(( (runs + 1) / 2 ))p") ms, min $(echo "$sorted" | head -1) ms, max $(echo "$sorted" | tail -1) ms over $runs runs"
