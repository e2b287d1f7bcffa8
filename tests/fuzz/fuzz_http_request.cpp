// libFuzzer target: any bytes a client sends, in any pieces, go through the
// request reader, the Range header and the host check of the station service
// without a crash, a hang, undefined behaviour or more memory than the limits.
#include "host_names.h"
#include "http_range.h"
#include "http_request.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  if (size < 2)
    return 0;
  // The first byte chooses the size of the pieces, as a network delivers them.
  const std::size_t piece = 1 + data[0] % 64;
  const std::string_view bytes(reinterpret_cast<const char *>(data + 1), size - 1);
  station::RequestReader reader(station::HttpLimits{256, 512, 8, 128});
  for (std::size_t at = 0; at < bytes.size(); at += piece)
    if (reader.feed(bytes.substr(at, piece)) != station::RequestReader::State::Reading)
      break;
  const auto &request = reader.request();
  if (request.target.size() > 256 || request.body.size() > 128 || request.headers.size() > 8)
    std::abort(); // a limit was not kept
  if (reader.state() == station::RequestReader::State::Failed &&
      (reader.status() < 400 || reader.status() > 599))
    std::abort();
  const station::HostNames hosts({"radio.example.org"});
  for (const auto &[name, value] : request.headers) {
    (void)hosts.accepts(value);
    (void)hosts.accepts_origin(value);
    const auto range = station::resolve_range(&value, data[0] * 1000u);
    if (range.kind == station::RangeAnswer::Kind::Part &&
        (range.first > range.last || range.last >= data[0] * 1000u))
      std::abort();
  }
  return 0;
}
