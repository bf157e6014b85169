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
# The client connects itself only when it cannot be used by hand, so wait for the simulator then.
wait_for_simulator() {
  for _ in $(seq 1 100); do
    (exec 3<>/dev/tcp/127.0.0.1/2000) 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

if [ -x "$bin/kelo1000" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No display: run on a virtual one, log in to the simulator, save a picture of the main window
  # and end, so that a machine without a screen still shows what the client does.
  shot="$(cd "$bin/.." && pwd)/demo-main-window.png"
  echo "No display found: the client runs on a virtual display, logs in to the simulator and saves $shot"
  wait_for_simulator || { echo "The simulator did not start." >&2; exit 1; }
  XDG_CONFIG_HOME="$settings_home" KELO_TEST_CONNECT="127.0.0.1:2000:admin:1234" \
    KELO_TEST_SCREENSHOT="$shot" KELO_TEST_SCREENSHOT_DELAY_MS=4000 KELO_TEST_QUIT_AFTER_SCREENSHOT=1 \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$bin/kelo1000"
  [ -f "$shot" ] && echo "Saved $shot"
elif [ -x "$bin/kelo1000" ]; then
  XDG_CONFIG_HOME="$settings_home" "$bin/kelo1000"
elif [ -n "$sim_pid" ]; then
  echo "The client is not built yet; the simulator runs until Ctrl+C."
  wait "$sim_pid"
fi
