#include "stream_address.h"

#include "news_fetch.h"

namespace station {

namespace {

std::string lower_ascii(std::string_view text) {
  std::string out(text);
  for (char &c : out)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c + 32);
  return out;
}

bool needs_escape(unsigned char byte) {
  constexpr std::string_view kUnsafe = " \"<>\\^`{|}'";
  return byte >= 0x80 || kUnsafe.find(static_cast<char>(byte)) != std::string_view::npos;
}

} // namespace

AddressCheck check_address(std::string_view given) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const auto first = given.find_first_not_of(kBlanks);
  if (first == std::string_view::npos)
    return {{}, "no stream address"};
  given = given.substr(first, given.find_last_not_of(kBlanks) - first + 1);
  for (const char c : given) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      return {{}, "the address holds control characters"};
  }
  const auto colon = given.find(':');
  const std::string scheme =
      lower_ascii(given.substr(0, colon == std::string_view::npos ? 0 : colon));
  if (scheme != "http" && scheme != "https")
    return {{}, "not an http or https address"};

  std::string address = scheme;
  constexpr char kHex[] = "0123456789ABCDEF";
  for (const char c : given.substr(colon)) {
    const auto byte = static_cast<unsigned char>(c);
    if (needs_escape(byte)) {
      address += '%';
      address += kHex[byte >> 4];
      address += kHex[byte & 0xF];
    } else {
      address += c;
    }
  }
  if (address.size() > kMaxFeedUrl)
    return {{}, "the address is longer than " + std::to_string(kMaxFeedUrl) + " bytes"};
  if (!parse_feed_url(address))
    return {{}, "not a usable http or https address"};
  return {address, {}};
}

bool names_playlist(std::string_view address) {
  std::string_view path = address.substr(0, address.find_first_of("?#"));
  const auto scheme_end = path.find("://");
  if (scheme_end != std::string_view::npos) {
    path.remove_prefix(scheme_end + 3);
    const auto slash = path.find('/');
    path = slash == std::string_view::npos ? std::string_view() : path.substr(slash);
  }
  const std::string lower = lower_ascii(path);
  return lower.ends_with(".m3u") || lower.ends_with(".m3u8") || lower.ends_with(".pls");
}

} // namespace station
