#!/usr/bin/env bash
# Installs what is missing, builds everything (and the sanitizer build), then runs every
# test inside a private D-Bus session with a PulseAudio null sink and the local station
# service on test ports.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh --sanitize
exec dbus-run-session -- bash scripts/test-session.sh
