// UTF-8 one code point at a time, for the service's text conversions.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace station {

// Decodes the UTF-8 sequence at text[pos] and moves past it; nothing for a
// malformed sequence, which moves pos by one byte.
std::optional<char32_t> next_code_point(std::string_view text, std::size_t &pos);

// Appends the UTF-8 bytes of a code point (at most U+10FFFF).
void append_utf8(std::string &out, char32_t cp);

} // namespace station
