#!/usr/bin/env bash
# Runs inside the private D-Bus session of scripts/test.sh: starts what the tests need,
# runs them, stops it all again. By hand: dbus-run-session -- bash scripts/test-session.sh -R <test>
# SINTONIA_TEST_BUILD (default build) and SINTONIA_TEST_PORT_BASE (default 48800) let a
# second session run beside the first, on another build tree and other ports;
# SINTONIA_TEST_SERVICE names another station service binary to run the tests against.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/webengine-env.sh

work=$(mktemp -d /tmp/sintonia-tests.XXXXXX)
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  pulseaudio --kill 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Sound: a null sink whose monitor the end-to-end tests listen to.
pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=rec" \
  --load=module-native-protocol-unix >/dev/null 2>&1 || echo "warning: PulseAudio did not start"
pactl set-default-sink rec 2>/dev/null || true

# The station service on test ports, apart from the defaults a running program may use.
tree=${SINTONIA_TEST_BUILD:-build}
base=${SINTONIA_TEST_PORT_BASE:-48800}
export SINTONIA_TEST_SERVICE_LOG="$work/requests.log"
# A port in the system's range for outgoing connections can still be held by one that has
# just closed (TIME_WAIT): then the service cannot listen there, and the next range is tried.
started=0
for attempt in 1 2 3 4 5; do
  rm -f "$work/ready" "$work/directory.sqlite"
  "${SINTONIA_TEST_SERVICE:-$tree/server/sintonia-station-service}" --port-base "$base" --control --exit-with-parent \
    --db "$work/directory.sqlite" \
    --log "$SINTONIA_TEST_SERVICE_LOG" --ready-file "$work/ready" >"$work/service.out" 2>&1 &
  service=$!
  for _ in $(seq 150); do
    [ -e "$work/ready" ] && break
    kill -0 "$service" 2>/dev/null || break
    sleep 0.1
  done
  if [ -e "$work/ready" ]; then
    pids+=("$service")
    started=1
    break
  fi
  kill "$service" 2>/dev/null || true
  wait "$service" 2>/dev/null || true
  echo "the station service did not start on ports $base+: $(tail -1 "$work/service.out")"
  base=$((base + 100))
done
[ "$started" = 1 ] || { echo "the station service did not start"; cat "$work/service.out"; exit 1; }
export SINTONIA_TEST_MIRROR_PORTS=$((base+1)),$((base+2)),$((base+3)),$((base+4)),$((base+5)),$((base+6))
export SINTONIA_TEST_SITE_PORTS=$((base+10)),$((base+11)),$((base+12)),$((base+13))

# With arguments (for example -R e2e_playback), only those tests of build/ run.
if [ $# -gt 0 ]; then
  ctest --test-dir "$tree" --output-on-failure "$@"
  exit $?
fi
status=0
ctest --test-dir "$tree" --output-on-failure -LE bench -j2 || status=1
ctest --test-dir build-asan --output-on-failure -L 'unit|window' -j2 || status=1
exit $status
