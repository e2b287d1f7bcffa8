#!/usr/bin/env bash
# Installs what is missing, builds everything (and the sanitizer build, and compiles the
# Release build as packagers make it), then runs every
# test inside a private D-Bus session with a PulseAudio null sink and the local station
# service on test ports.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh --sanitize --release
exec dbus-run-session -- bash scripts/test-session.sh
