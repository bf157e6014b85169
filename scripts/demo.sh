#!/usr/bin/env bash
# Starts the recorder simulator on 127.0.0.1:2000 and, once it exists, the client beside it;
# stops the simulator when the client ends.
set -euo pipefail
bin=$1
sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT INT TERM

if [ -x "$bin/kelo-recorder-sim" ]; then
  "$bin/kelo-recorder-sim" --address 127.0.0.1 --port 2000 &
  sim_pid=$!
  echo "Recorder simulator on 127.0.0.1:2000 (account admin, password 1234)"
fi
if [ -x "$bin/kelo1000" ]; then
  "$bin/kelo1000"
elif [ -n "$sim_pid" ]; then
  echo "The client is not built yet; the simulator runs until Ctrl+C."
  wait "$sim_pid"
fi
