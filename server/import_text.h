// The text of imported stations made fit for the catalogue and its rows.
// The catalogue carries Windows-1252 text, one field a line, lines joined by
// "<BR>"; a row of the client's station lists is 130 pixels wide, in a bold
// 11-pixel sans-serif font.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace station {

inline constexpr std::size_t kMaxNameChars = 60;
inline constexpr std::size_t kMaxGenreChars = 40;
inline constexpr int kRowPixels = 130;
// What a caption may take of the row: two pixels are left for rounding.
inline constexpr int kCaptionPixels = kRowPixels - 2;

bool valid_utf8(std::string_view text);

// A field's bytes as UTF-8: as they are when `utf8`, else read as
// Windows-1252.
std::string decode_field(std::string_view bytes, bool utf8);

// UTF-8 text with every character that Windows-1252 lacks, every control
// character (NUL included), '<' and '>' dropped, runs of blanks made one,
// trimmed, and cut to at most max_chars characters (at a blank when there is
// one in its second half).
std::string clean_text(std::string_view utf8, std::size_t max_chars);

// A width, in pixels, that the row font never exceeds for this text: a
// generous estimate per character, so that what fits here fits on screen.
int row_text_width(std::string_view utf8);

// The caption of a station row: the name when it fits kCaptionPixels, else as many
// of its leading words as fit followed by "…" (the first word itself cut
// when it alone is too wide).
std::string fit_caption(std::string_view name);

// Genre line from comma-separated tags: the first three non-empty tags
// joined by ", ", cleaned and cut to kMaxGenreChars.
std::string genre_from_tags(std::string_view tags);

} // namespace station
