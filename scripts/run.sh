#!/usr/bin/env bash
# Installs what is missing, builds, starts the local station service and runs Sintonia
# against it. The service stops when the program ends.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
source scripts/webengine-env.sh

data="${XDG_DATA_HOME:-$HOME/.local/share}/sintonia-station-service"
mkdir -p "$data"
service_pid=""
if ! (exec 3<>/dev/tcp/127.0.0.1/47801) 2>/dev/null; then
  rm -f "$data/ready"
  build/server/sintonia-station-service --db "$data/directory.sqlite" --log "$data/requests.log" \
    --ready-file "$data/ready" &
  service_pid=$!
  for _ in $(seq 100); do [ -e "$data/ready" ] && break; sleep 0.1; done
fi
trap '[ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null; wait' EXIT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  # No desktop: show the window on a virtual screen.
  xvfb-run -a build/src/sintonia
else
  build/src/sintonia
fi
