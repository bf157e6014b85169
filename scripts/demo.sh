#!/usr/bin/env bash
# Starts the recorder simulator on 127.0.0.1:2000 and, once it exists, the client beside it;
# stops the simulator when the client ends. The client runs with a settings folder of its own in
# the build folder, in which the connect dialog's last server is the simulator.
set -euo pipefail
bin=$1
sim_pid=""
cleanup() { [ -n "$sim_pid" ] && kill "$sim_pid" 2>/dev/null || true; }
trap cleanup EXIT INT TERM

# The settings file keeps the registry's key tree: IPSetup\ServerIP holds "IP" and "Port".
settings_home="$(cd "$bin/.." && pwd)/demo-settings"
conf="$settings_home/Velmar/KELO1000.conf"
mkdir -p "$(dirname "$conf")"
touch "$conf"
awk '
  /^\[/ { in_ip = ($0 == "[IPSetup]") }
  in_ip && /^ServerIP\\(IP|Port)=/ { next }
  { print }
  $0 == "[IPSetup]" { print "ServerIP\\IP=127.0.0.1"; print "ServerIP\\Port=2000"; done = 1 }
  END { if (!done) { print "[IPSetup]"; print "ServerIP\\IP=127.0.0.1"; print "ServerIP\\Port=2000" } }
' "$conf" > "$conf.new"
mv "$conf.new" "$conf"

if [ -x "$bin/kelo-recorder-sim" ]; then
  "$bin/kelo-recorder-sim" --address 127.0.0.1 --port 2000 &
  sim_pid=$!
  echo "Recorder simulator on 127.0.0.1:2000 (account admin, password 1234)"
fi
if [ -x "$bin/kelo1000" ]; then
  XDG_CONFIG_HOME="$settings_home" "$bin/kelo1000"
elif [ -n "$sim_pid" ]; then
  echo "The client is not built yet; the simulator runs until Ctrl+C."
  wait "$sim_pid"
fi
