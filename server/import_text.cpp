#include "import_text.h"

#include "cp1252.h"
#include "utf8.h"

#include <array>
#include <vector>

namespace station {

namespace {

constexpr std::string_view kEllipsis = "\xE2\x80\xA6"; // U+2026, 0x85 in Windows-1252

bool in_code_page(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
    return true;
  std::string one;
  append_utf8(one, cp);
  return utf8_to_cp1252(one) != "?";
}

bool is_blank(char32_t cp) {
  return cp == ' ' || cp == '\t' || cp == 0xA0 || cp == '\n' || cp == '\r';
}

bool is_control(char32_t cp) { return cp < 0x20 || (cp >= 0x7F && cp < 0xA0); }

// Pixels of the characters 0x20..0xFF of Windows-1252 in the row font, bold
// 11 pixels: the advance widths of DejaVu Sans Bold (the font that stands in
// for Tahoma here, and the wider of the two), rounded up. Undefined bytes
// and anything else count as 16.
constexpr std::array<unsigned char, 224> kRowWidths = {
     4,  6,  6, 10,  8, 12, 10,  4,  6,  6,  6, 10,  5,  5,  5,  5,  // 0x20
     8,  8,  8,  8,  8,  8,  8,  8,  8,  8,  5,  5, 10, 10, 10,  7,  // 0x30
    11,  9,  9,  9, 10,  8,  8, 10, 10,  5,  5,  9,  8, 11, 10, 10,  // 0x40
     9, 10,  9,  8,  8,  9,  9, 13,  9,  8,  8,  6,  5,  6, 10,  6,  // 0x50
     6,  8,  8,  7,  8,  8,  5,  8,  8,  4,  4,  8,  4, 12,  8,  8,  // 0x60
     8,  8,  6,  7,  6,  8,  8, 11,  8,  8,  7,  8,  5,  8, 10, 16,  // 0x70
     8, 16,  5,  5,  8, 11,  6,  6,  6, 16,  8,  5, 13, 16,  8, 16,  // 0x80
    16,  5,  5,  8,  8,  8,  6, 11,  6, 11,  7,  5, 13, 16,  7,  8,  // 0x90
     4,  6,  8,  8,  7,  8,  5,  6,  6, 11,  7,  8, 10,  5, 11,  6,  // 0xA0
     6, 10,  5,  5,  6,  9,  7,  5,  6,  5,  7,  8, 12, 12, 12,  7,  // 0xB0
     9,  9,  9,  9,  9,  9, 12,  9,  8,  8,  8,  8,  5,  5,  5,  5,  // 0xC0
    10, 10, 10, 10, 10, 10, 10, 10, 10,  9,  9,  9,  9,  8,  9,  8,  // 0xD0
     8,  8,  8,  8,  8,  8, 12,  7,  8,  8,  8,  8,  4,  4,  4,  4,  // 0xE0
     8,  8,  8,  8,  8,  8,  8, 10,  8,  8,  8,  8,  8,  8,  8,  8,  // 0xF0
};

int char_width(char32_t cp) {
  unsigned char byte = 0;
  if (cp >= 0x20 && (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))) {
    byte = static_cast<unsigned char>(cp);
  } else {
    std::string one;
    append_utf8(one, cp);
    const std::string code = utf8_to_cp1252(one);
    if (code == "?")
      return 16;
    byte = static_cast<unsigned char>(code[0]);
  }
  return byte < 0x20 ? 16 : kRowWidths[byte - 0x20];
}

std::vector<std::string_view> code_points(std::string_view utf8) {
  std::vector<std::string_view> out;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    if (next_code_point(utf8, pos))
      out.push_back(utf8.substr(start, pos - start));
  }
  return out;
}

} // namespace

bool valid_utf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size())
    if (!next_code_point(text, pos))
      return false;
  return true;
}

std::string decode_field(std::string_view bytes, bool utf8) {
  return utf8 ? std::string(bytes) : cp1252_to_utf8(bytes);
}

std::string clean_text(std::string_view utf8, std::size_t max_chars) {
  std::vector<char32_t> kept;
  std::size_t pos = 0;
  bool blank = false;
  while (pos < utf8.size()) {
    const auto cp = next_code_point(utf8, pos);
    if (!cp)
      continue;
    if (is_blank(*cp)) {
      blank = !kept.empty();
      continue;
    }
    if (is_control(*cp) || *cp == '<' || *cp == '>' || !in_code_page(*cp))
      continue;
    if (blank) {
      kept.push_back(' ');
      blank = false;
    }
    kept.push_back(*cp);
  }
  if (kept.size() > max_chars) {
    std::size_t cut = max_chars;
    for (std::size_t i = max_chars; i > max_chars / 2; --i)
      if (kept[i] == ' ') {
        cut = i;
        break;
      }
    kept.resize(cut);
    while (!kept.empty() && kept.back() == ' ')
      kept.pop_back();
  }
  std::string out;
  for (const char32_t cp : kept)
    append_utf8(out, cp);
  return out;
}

int row_text_width(std::string_view utf8) {
  int width = 0;
  std::size_t pos = 0;
  while (pos < utf8.size())
    if (const auto cp = next_code_point(utf8, pos))
      width += char_width(*cp);
  return width;
}

std::string fit_caption(std::string_view name) {
  if (row_text_width(name) <= kCaptionPixels)
    return std::string(name);
  const int room = kCaptionPixels - row_text_width(kEllipsis);
  const auto chars = code_points(name);
  std::size_t fit = 0; // characters that fit before the ellipsis
  int width = 0;
  while (fit < chars.size()) {
    const int next = row_text_width(chars[fit]);
    if (width + next > room)
      break;
    width += next;
    ++fit;
  }
  // Back to the end of a word when one ends in the part that fits.
  std::size_t cut = fit;
  while (cut > 0 && chars[cut] != " " && chars[cut - 1] != " ")
    --cut;
  while (cut > 0 && chars[cut - 1] == " ")
    --cut;
  if (cut == 0)
    cut = fit;
  std::string out;
  for (std::size_t i = 0; i < cut; ++i)
    out += chars[i];
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out + std::string(kEllipsis);
}

std::string genre_from_tags(std::string_view tags) {
  std::string joined;
  int taken = 0;
  while (!tags.empty() && taken < 3) {
    const auto comma = tags.find(',');
    const std::string tag = clean_text(tags.substr(0, comma), kMaxGenreChars);
    tags = comma == std::string_view::npos ? std::string_view() : tags.substr(comma + 1);
    if (tag.empty())
      continue;
    if (!joined.empty())
      joined += ", ";
    joined += tag;
    ++taken;
  }
  return clean_text(joined, kMaxGenreChars);
}

} // namespace station
