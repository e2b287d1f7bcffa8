#include "news_text.h"

#include "utf8.h"

#include <array>
#include <cstdint>
#include <optional>

namespace station {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The code point at text[pos], U+FFFD for a malformed sequence.
char32_t next_code_point_or_replacement(std::string_view text, std::size_t &pos) {
  return next_code_point(text, pos).value_or(kReplacement);
}

bool is_blank(char32_t cp) {
  return cp == ' ' || cp < 0x20 || (cp >= 0x7F && cp <= 0xA0) || cp == 0x2028 || cp == 0x2029 ||
         cp == 0x1680 || (cp >= 0x2000 && cp <= 0x200A) || cp == 0x202F || cp == 0x205F ||
         cp == 0x3000;
}

// Characters that reorder or hide the text around them.
bool is_dropped(char32_t cp) {
  return (cp >= 0x200B && cp <= 0x200F) || (cp >= 0x202A && cp <= 0x202E) ||
         (cp >= 0x2066 && cp <= 0x2069) || (cp >= 0xFFF9 && cp <= 0xFFFB) || cp == 0xFEFF ||
         cp == 0xAD;
}

struct NamedEntity {
  std::string_view name;
  char32_t cp;
};

// The named entities news sites use in headlines; the Italian letters first.
constexpr std::array<NamedEntity, 36> kEntities = {{
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},        {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xA0},    {"agrave", 0xE0},  {"egrave", 0xE8},   {"eacute", 0xE9},  {"igrave", 0xEC},
    {"ograve", 0xF2},  {"ugrave", 0xF9},  {"Agrave", 0xC0},   {"Egrave", 0xC8},  {"Eacute", 0xC9},
    {"Igrave", 0xCC},  {"Ograve", 0xD2},  {"Ugrave", 0xD9},   {"ccedil", 0xE7},  {"ntilde", 0xF1},
    {"ouml", 0xF6},    {"uuml", 0xFC},    {"auml", 0xE4},     {"szlig", 0xDF},   {"laquo", 0xAB},
    {"raquo", 0xBB},   {"lsquo", 0x2018}, {"rsquo", 0x2019},  {"ldquo", 0x201C}, {"rdquo", 0x201D},
    {"ndash", 0x2013}, {"mdash", 0x2014}, {"hellip", 0x2026}, {"euro", 0x20AC},  {"deg", 0xB0},
    {"copy", 0xA9},
}};

std::optional<char32_t> numeric_reference(std::string_view digits) {
  int base = 10;
  if (!digits.empty() && (digits.front() == 'x' || digits.front() == 'X')) {
    base = 16;
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.size() > 8)
    return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : digits) {
    int digit = -1;
    if (c >= '0' && c <= '9')
      digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    if (digit < 0)
      return std::nullopt;
    value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
  }
  if (value == 0 || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
    return kReplacement;
  return static_cast<char32_t>(value);
}

// The character of the reference "&name;" (name without '&' and ';').
std::optional<char32_t> reference(std::string_view name) {
  if (!name.empty() && name.front() == '#')
    return numeric_reference(name.substr(1));
  for (const auto &entity : kEntities)
    if (entity.name == name)
      return entity.cp;
  return std::nullopt;
}

} // namespace

std::string one_line(std::string_view utf8, std::size_t max_chars) {
  std::string clean;
  clean.reserve(utf8.size());
  std::size_t chars = 0;
  bool blank_pending = false;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = next_code_point_or_replacement(utf8, pos);
    if (is_dropped(cp))
      continue;
    if (is_blank(cp)) {
      blank_pending = !clean.empty();
      continue;
    }
    if (blank_pending) {
      clean += ' ';
      ++chars;
      blank_pending = false;
    }
    append_utf8(clean, cp);
    ++chars;
  }
  if (chars <= max_chars)
    return clean;
  if (max_chars == 0)
    return {};
  // `clean` is valid UTF-8 now: a character starts at every byte that is
  // not a continuation byte.
  std::size_t cut = 0;
  for (std::size_t kept = 0; kept < max_chars - 1; ++kept)
    do
      ++cut;
    while (cut < clean.size() && (static_cast<unsigned char>(clean[cut]) & 0xC0) == 0x80);
  clean.resize(cut);
  while (!clean.empty() && clean.back() == ' ')
    clean.pop_back();
  return clean + "\xE2\x80\xA6"; // …
}

std::string html_to_text(std::string_view html) {
  std::string out;
  out.reserve(html.size());
  std::size_t pos = 0;
  while (pos < html.size()) {
    const char c = html[pos];
    if (c == '<') {
      const auto close = html.find('>', pos);
      if (close == std::string_view::npos)
        break; // a tag cut short: nothing after it is text
      out += ' ';
      pos = close + 1;
      continue;
    }
    if (c == '&') {
      const auto semicolon = html.find(';', pos);
      if (semicolon != std::string_view::npos && semicolon - pos <= 12) {
        if (const auto cp = reference(html.substr(pos + 1, semicolon - pos - 1))) {
          append_utf8(out, *cp);
          pos = semicolon + 1;
          continue;
        }
      }
    }
    out += c;
    ++pos;
  }
  return out;
}

std::string json_string(std::string_view utf8) {
  constexpr char kHex[] = "0123456789abcdef";
  const auto escape = [&](std::string &out, char32_t unit) {
    out += "\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
      out += kHex[(unit >> shift) & 0xF];
  };
  std::string out = "\"";
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = next_code_point_or_replacement(utf8, pos);
    if (cp == '"' || cp == '\\') {
      out += '\\';
      out += static_cast<char>(cp);
    } else if (cp >= 0x20 && cp < 0x7F && cp != '<' && cp != '>' && cp != '&' && cp != '\'') {
      out += static_cast<char>(cp);
    } else if (cp < 0x10000) {
      escape(out, cp);
    } else {
      const char32_t v = cp - 0x10000;
      escape(out, 0xD800 + (v >> 10));
      escape(out, 0xDC00 + (v & 0x3FF));
    }
  }
  return out + "\"";
}

std::string_view link_host(std::string_view link) {
  for (const std::string_view scheme : {"http://", "https://"}) {
    if (!link.starts_with(scheme))
      continue;
    auto authority = link.substr(scheme.size());
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (const auto at = authority.rfind('@'); at != std::string_view::npos)
      authority.remove_prefix(at + 1);
    if (authority.starts_with('[')) { // an IPv6 address
      const auto close = authority.find(']');
      return close == std::string_view::npos ? std::string_view() : authority.substr(0, close + 1);
    }
    return authority.substr(0, authority.find(':'));
  }
  return {};
}

} // namespace station
