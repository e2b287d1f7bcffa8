#!/usr/bin/env bash
# Builds one import reader's fuzz target with clang's libFuzzer (plus ASan and UBSan) and runs
# it for a bounded time, starting from the import test files.
# Usage: run-import-fuzz.sh <source dir> <work dir> <seconds> <m3u|pls|station_json>
set -euo pipefail
src=$1 work=$2 seconds=$3 reader=$4
server="$src/server"
mkdir -p "$work/corpus-$reader"
cp -n "$src/tests/server/import/"* "$work/corpus-$reader/" 2>/dev/null || true
binary="$work/fuzz_$reader"
sources=("$src/tests/fuzz/fuzz_$reader.cpp" "$server/playlist_reader.cpp" "$server/station_json_reader.cpp" "$server/import_reader.cpp"
         "$server/import_text.cpp" "$server/stream_address.cpp" "$server/station_import.cpp"
         "$server/directory.cpp" "$server/directory_streams.cpp" "$server/seed.cpp" "$server/news_fetch.cpp"
         "$server/cp1252.cpp" "$server/utf8.cpp" "$server/numbers.cpp")
if [ ! -x "$binary" ] || [ -n "$(find "${sources[@]}" "$src/tests/fuzz/fuzz_import.h" "$server"/*.h -newer "$binary")" ]; then
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$server" -I"$src/tests/fuzz" $(pkg-config --cflags cpp-httplib) \
    "${sources[@]}" $(pkg-config --libs cpp-httplib) -lsqlite3 -lpthread -o "$binary"
fi
ASAN_OPTIONS=detect_leaks=0 "$binary" -max_total_time="$seconds" -max_len=65536 -timeout=10 -artifact_prefix="$work/" \
  -print_final_stats=1 "$work/corpus-$reader"
