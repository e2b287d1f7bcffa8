// What a page handler answers, before it is written to the connection.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace station {

inline constexpr std::string_view kHtmlType = "text/html; charset=windows-1252";

// A body computed while it is sent (the audio streams): its size, and what
// writes the bytes [offset, offset + length) into `out`, returning how many
// it wrote. Ranges of it may be asked for.
struct GeneratedBody {
  std::uint64_t size = 0;
  std::function<std::size_t(std::uint64_t offset, std::size_t length, char *out)> read;
};

struct Reply {
  int status = 200;
  std::string content_type{kHtmlType};
  // Pages the client saves from its cache (the catalogue) say how long they
  // may be kept; the others are revalidated, so a fault switch shows at once.
  std::string cache_control = "no-cache";
  std::string body; // the bytes as sent
  // Instead of `body` when set: bytes kept by the page (the catalogue), sent
  // without a copy.
  std::shared_ptr<const std::string> shared_body;
  std::string note; // for the request log: the fault that shaped the answer
  // Pages go out byte for byte, never compressed. Plain answers (the control
  // pages) may be compressed, and are also written in full when the port
  // closes its listener while answering, which exact pages are not.
  bool plain = false;
  // Sent instead of `body` when set.
  std::optional<GeneratedBody> generated;
};

// Text made safe inside HTML text and attribute values.
std::string html_escape(std::string_view text);

// A complete HTML page in Windows-1252 from UTF-8 title and body markup.
std::string html_document(std::string_view title, std::string_view body_markup,
                          std::string_view style = {});

Reply html_reply(int status, std::string_view title, std::string_view body_markup,
                 std::string_view style = {});

Reply not_found_reply();
Reply bad_request_reply(std::string_view reason);
Reply server_error_reply();

} // namespace station
