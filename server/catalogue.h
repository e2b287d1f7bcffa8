// The catalogue page: the two station lists and the four closing fields the
// client reads into its most-clicked list, its new-stations list and its
// partner settings.
//
// Layout, one field per line, lines separated by "<BR>" in upper case:
//   lines   1- 60  most-clicked list: 15 records of Url, Name, Caption, Extra
//   lines  61-120  new-stations list: 15 records of the same four fields
//   lines 121-124  partner name, sponsor url, extra tab caption, extra tab url
// A list with fewer than 15 stations still takes its 60 lines; the missing
// records are empty lines.
//
// The client puts record r of the most-clicked list into slot 16 - r and
// shows slot 15 at the top; it puts record r of the new-stations list into
// slot r and also shows slot 15 at the top. So that both tabs show their best
// station at the top, the most-clicked list is written most-clicked first
// and the new-stations list oldest first, its newest station last.
#pragma once

#include "directory.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace station {

inline constexpr int kListLength = 15;
inline constexpr int kRecordLines = 4;
inline constexpr int kCatalogueLines = 2 * kListLength * kRecordLines + 4; // 124
inline constexpr std::int64_t kMostClickedWindow = 7 * 86400;             // seconds

struct CatalogueStation {
  std::int64_t id = 0;
  std::string name;    // UTF-8
  std::string caption; // UTF-8
  std::string extra;   // UTF-8, the fourth field (the genre)
};

struct CatalogueInput {
  std::vector<CatalogueStation> most_clicked; // most clicks first
  std::vector<CatalogueStation> newest;       // newest first
  Trailer trailer;                            // placeholders already expanded
  std::string player_root;                    // "http://host:port", no final '/'
};

// The player page of a station on the mirror of player_root.
std::string player_url(std::string_view player_root, std::int64_t id);

// A field's text as it may appear on a line: control characters become
// blanks and '<' and '>' are dropped, so that no field can break or split a line.
std::string clean_field(std::string_view text);

// The 124 lines, UTF-8, in the order described above. Lists longer than 15
// are cut.
std::vector<std::string> catalogue_lines(const CatalogueInput &input);

// The page bytes: the lines in Windows-1252 joined by "<BR>". With `shifted`
// an extra "<BR>" comes first, which moves every field one line down (the
// garbled catalogue of the fault switches).
std::string catalogue_body(const std::vector<std::string> &lines, bool shifted = false);

// "{mirror}" becomes the mirror's host, "{product}", "{maker}", "{second}",
// "{sister}" the hosts of the sites; other text is kept.
using Placeholders = std::map<std::string, std::string, std::less<>>;
std::string expand_placeholders(std::string_view text, const Placeholders &values);

// Reads both lists and the edition's closing fields from the directory, for
// a catalogue served at `now` by the mirror at `mirror_host`.
CatalogueInput load_catalogue(Directory &directory, int edition, std::int64_t now,
                              const std::string &mirror_host, const Placeholders &values);

} // namespace station
