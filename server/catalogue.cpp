#include "catalogue.h"

#include "cp1252.h"

#include <algorithm>

namespace station {

namespace {

void append_record(std::vector<std::string> &lines, const CatalogueStation *station,
                   std::string_view player_root) {
  if (!station) {
    lines.insert(lines.end(), kRecordLines, std::string());
    return;
  }
  lines.push_back(clean_field(player_url(player_root, station->id)));
  lines.push_back(clean_field(station->name));
  lines.push_back(clean_field(station->caption));
  lines.push_back(clean_field(station->extra));
}

CatalogueStation to_entry(const Station &station) {
  return {station.id, station.name, station.caption, station.genre};
}

} // namespace

std::string player_url(std::string_view player_root, std::int64_t id) {
  return std::string(player_root) + "/Radio/mostraRadio.asp?Id=" + std::to_string(id);
}

std::string clean_field(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '<' || c == '>')
      continue;
    out += (byte < 0x20 || byte == 0x7F) ? ' ' : c;
  }
  return out;
}

std::vector<std::string> catalogue_lines(const CatalogueInput &input) {
  std::vector<std::string> lines;
  lines.reserve(kCatalogueLines);

  const auto top = std::min<std::size_t>(input.most_clicked.size(), kListLength);
  for (std::size_t r = 0; r < kListLength; ++r)
    append_record(lines, r < top ? &input.most_clicked[r] : nullptr, input.player_root);

  // Oldest of the chosen first, so that the newest lands on the highest slot.
  const auto fresh = std::min<std::size_t>(input.newest.size(), kListLength);
  for (std::size_t r = 0; r < kListLength; ++r)
    append_record(lines, r < fresh ? &input.newest[fresh - 1 - r] : nullptr, input.player_root);

  lines.push_back(clean_field(input.trailer.partner_name));
  lines.push_back(clean_field(input.trailer.sponsor_url));
  lines.push_back(clean_field(input.trailer.extra_tab_caption));
  lines.push_back(clean_field(input.trailer.extra_tab_url));
  return lines;
}

std::string catalogue_body(const std::vector<std::string> &lines, bool shifted) {
  std::string body = shifted ? "<BR>" : "";
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0)
      body += "<BR>";
    body += utf8_to_cp1252(lines[i]);
  }
  return body;
}

std::string expand_placeholders(std::string_view text, const Placeholders &values) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto open = text.find('{', pos);
    const auto close = open == std::string_view::npos ? open : text.find('}', open);
    if (close == std::string_view::npos) {
      out += text.substr(pos);
      break;
    }
    const auto found = values.find(text.substr(open + 1, close - open - 1));
    out += text.substr(pos, open - pos);
    if (found != values.end()) {
      out += found->second;
      pos = close + 1;
    } else {
      out += '{';
      pos = open + 1;
    }
  }
  return out;
}

CatalogueInput load_catalogue(Directory &directory, int edition, std::int64_t now,
                              const std::string &mirror_host, const Placeholders &values) {
  CatalogueInput input;
  for (const auto &s : directory.most_clicked(now - kMostClickedWindow, now, kListLength))
    input.most_clicked.push_back(to_entry(s));
  for (const auto &s : directory.newest(kListLength))
    input.newest.push_back(to_entry(s));

  Placeholders all = values;
  all.insert_or_assign("mirror", mirror_host);
  const Trailer stored = directory.trailer(edition);
  input.trailer = {expand_placeholders(stored.partner_name, all),
                   expand_placeholders(stored.sponsor_url, all),
                   expand_placeholders(stored.extra_tab_caption, all),
                   expand_placeholders(stored.extra_tab_url, all)};
  input.player_root = "http://" + mirror_host;
  return input;
}

} // namespace station
