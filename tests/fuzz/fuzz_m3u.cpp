// libFuzzer target: any bytes read as an M3U playlist give stations or
// refusals, without a crash, a hang or undefined behaviour.
#include "fuzz_import.h"
#include "playlist_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  return fuzz_import(data, size, [](std::string_view text, const station::ReadLimits &limits) {
    return station::read_m3u(text, limits);
  });
}
