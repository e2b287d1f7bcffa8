#!/usr/bin/env bash
# Builds the catalogue fuzz target with clang's libFuzzer (plus ASan and UBSan) and runs
# it for a bounded time. Usage: run-fuzz.sh <source dir> <work dir> <seconds>
set -euo pipefail
src=$1 work=$2 seconds=$3
mkdir -p "$work/corpus"
cp -n "$src/tests/fuzz/corpus/"* "$work/corpus/" 2>/dev/null || true
binary="$work/fuzz_catalogue"
sources=("$src/tests/fuzz/fuzz_catalogue.cpp" "$src/src/service/capture.cpp" "$src/src/service/catalogue.cpp"
         "$src/src/platform/textfile.cpp")
if [ ! -x "$binary" ] || [ -n "$(find "${sources[@]}" -newer "$binary")" ]; then
  clang++ -std=c++20 -O1 -g -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -DQT_NO_CAST_FROM_ASCII -I"$src/src" $(pkg-config --cflags Qt6Core) \
    "${sources[@]}" $(pkg-config --libs Qt6Core) -o "$binary"
fi
ASAN_OPTIONS=detect_leaks=0 "$binary" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -print_final_stats=1 "$work/corpus"
