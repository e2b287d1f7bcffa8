#include "import_reader.h"

#include "playlist_reader.h"
#include "station_json_reader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sys/stat.h>

namespace station {

ImportFormat detect_format(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF"))
    text.remove_prefix(3);
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos)
    return ImportFormat::M3u;
  if (text[first] == '[' || text[first] == '{') {
    constexpr std::string_view kPls = "[playlist]";
    std::string head(text.substr(first, kPls.size()));
    for (char &c : head)
      if (c >= 'A' && c <= 'Z')
        c = static_cast<char>(c + 32);
    return head == kPls ? ImportFormat::Pls : ImportFormat::Json;
  }
  return ImportFormat::M3u;
}

std::string read_import_text(std::string_view text, const ReadLimits &limits, ReadSink &sink) {
  switch (detect_format(text)) {
  case ImportFormat::Json: return read_station_json(text, limits, sink);
  case ImportFormat::Pls: return read_pls(text, limits, sink);
  case ImportFormat::M3u: break;
  }
  return read_m3u(text, limits, sink);
}

ReadResult read_import_text(std::string_view text, const ReadLimits &limits) {
  switch (detect_format(text)) {
  case ImportFormat::Json: return read_station_json(text, limits);
  case ImportFormat::Pls: return read_pls(text, limits);
  case ImportFormat::M3u: break;
  }
  return read_m3u(text, limits);
}

std::optional<std::string> read_import_bytes(const std::string &path, std::string &error,
                                             std::size_t max_bytes) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    error = "cannot read " + path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) {
    error = path + " is not a regular file";
    return std::nullopt;
  }
  if (static_cast<std::uint64_t>(info.st_size) > max_bytes) {
    error = path + " is larger than " + std::to_string(max_bytes >> 20) + " MB";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  // Read with a bound: the file may have grown since it was measured.
  std::string text(static_cast<std::size_t>(info.st_size), '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  if (in.bad()) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  text.resize(static_cast<std::size_t>(in.gcount()));
  return text;
}

ReadResult read_import_file(const std::string &path, const ReadLimits &limits,
                            std::size_t max_bytes) {
  ReadResult result;
  const auto text = read_import_bytes(path, result.error, max_bytes);
  return text ? read_import_text(*text, limits) : result;
}

} // namespace station
