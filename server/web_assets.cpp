#include "web_assets.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace station {

namespace {

constexpr std::uintmax_t kMaxScriptBytes = 4 << 20;

std::optional<std::string> read_small_file(const std::filesystem::path &path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kMaxScriptBytes)
    return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (!in && !in.eof())
    return std::nullopt;
  return std::move(bytes).str();
}

std::optional<std::string> find_hls_player() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error)
    return std::nullopt;
  const std::filesystem::path folder = program.parent_path();
  for (const auto &candidate :
       {folder / "web" / "hls.light.min.js",
        folder / ".." / "share" / "sintonia-station-service" / "web" / "hls.light.min.js"}) {
    if (auto script = read_small_file(candidate); script && !script->empty())
      return script;
  }
  return std::nullopt;
}

} // namespace

const std::string *hls_player_script() {
  static const std::optional<std::string> script = find_hls_player();
  return script ? &*script : nullptr;
}

Reply hls_player_page(const PageRequest &, PageContext &) {
  const std::string *script = hls_player_script();
  if (!script)
    return not_found_reply();
  Reply reply;
  reply.content_type = "application/javascript";
  reply.cache_control = "max-age=86400";
  reply.body = *script;
  return reply;
}

} // namespace station
