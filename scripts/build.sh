#!/usr/bin/env bash
# Configures and builds the program, the station service, the tools and the tests.
#   --sanitize  also the sanitizer build of the unit and window tests in build-asan/
#   --release   also compiles the whole tree as an optimised Release build in build-release/,
#               as packagers and users build it (nothing of it runs)
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc)
sanitize=0
release=0
for arg in "$@"; do
  case "$arg" in
    --sanitize) sanitize=1 ;;
    --release) release=1 ;;
    *) echo "build.sh: unknown option $arg" >&2; exit 2 ;;
  esac
done
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
if [ "$sanitize" = 1 ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSINTONIA_SANITIZE=ON -DSINTONIA_FULL=OFF >/dev/null
  cmake --build build-asan -j"$jobs"
fi
if [ "$release" = 1 ]; then
  cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build-release -j"$jobs"
fi
