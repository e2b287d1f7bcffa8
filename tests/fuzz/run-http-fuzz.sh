#!/usr/bin/env bash
# Builds the station service's HTTP request fuzz target with clang's libFuzzer (plus ASan
# and UBSan) and runs it for a bounded time. Usage: run-http-fuzz.sh <source dir> <work dir> <seconds>
set -euo pipefail
src=$1 work=$2 seconds=$3
server="$src/server"
mkdir -p "$work/corpus-http"
printf 'AGET /Radio/CaricaDati.asp?id=25&idRadio=0 HTTP/1.1\r\nHost: 127.0.0.1:47801\r\nRange: bytes=0-9\r\n\r\n' \
  > "$work/corpus-http/get"
printf '\x07POST /radio/SegnalaIndirizzo.asp HTTP/1.1\r\nHost: localhost\r\nOrigin: http://a.test\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: 9\r\n\r\nemail=a%%40' \
  > "$work/corpus-http/post"
binary="$work/fuzz_http_request"
sources=("$src/tests/fuzz/fuzz_http_request.cpp" "$server/http_request.cpp" "$server/http_range.cpp"
         "$server/host_names.cpp" "$server/numbers.cpp")
if [ ! -x "$binary" ] || [ -n "$(find "${sources[@]}" "$server"/http_*.h "$server"/host_names.h -newer "$binary")" ]; then
  clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$server" "${sources[@]}" -o "$binary"
fi
ASAN_OPTIONS=detect_leaks=0 "$binary" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -print_final_stats=1 "$work/corpus-http"
