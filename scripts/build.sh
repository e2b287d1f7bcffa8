#!/usr/bin/env bash
# Configures and builds the program, the station service, the tools and the tests.
# With --sanitize, also the sanitizer build of the unit and window tests in build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
if [ "${1:-}" = "--sanitize" ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSINTONIA_SANITIZE=ON -DSINTONIA_FULL=OFF >/dev/null
  cmake --build build-asan -j"$jobs"
fi
