#include "playlist_reader.h"

#include "ascii.h"
#include "import_text.h"
#include "numbers.h"

#include <map>
#include <optional>

namespace station {

namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

std::string_view trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// Walks the lines of a text; a line longer than the limit is given only as
// too long, however long it is.
class Lines {
public:
  Lines(std::string_view text, std::size_t max_line) : text_(text), max_line_(max_line) {
    if (text_.starts_with(kBom))
      text_.remove_prefix(kBom.size());
  }
  bool next() {
    if (pos_ >= text_.size())
      return false;
    ++number_;
    const auto end = text_.find('\n', pos_);
    const std::size_t stop = end == std::string_view::npos ? text_.size() : end;
    line_ = text_.substr(pos_, stop - pos_);
    pos_ = stop + 1;
    return true;
  }
  bool too_long() const { return line_.size() > max_line_; }
  std::string_view line() const { return trim(line_); }
  std::string where() const { return "line " + std::to_string(number_); }

private:
  std::string_view text_;
  std::size_t max_line_;
  std::size_t pos_ = 0;
  std::size_t number_ = 0;
  std::string_view line_;
};

std::string field(std::string_view bytes, bool utf8, const ReadLimits &limits) {
  return decode_field(bytes.substr(0, limits.max_field), utf8);
}

std::string too_long_reason(const ReadLimits &limits) {
  return "the line is longer than " + std::to_string(limits.max_line) + " bytes";
}

std::string too_many_reason(const ReadLimits &limits) {
  return "more than " + std::to_string(limits.max_entries) + " stations: the rest is left out";
}

// "#EXTINF:<seconds> key="value" ...,<title>": the title, and the group
// attribute as tags.
void read_extinf(std::string_view info, bool utf8, const ReadLimits &limits, ImportEntry &entry) {
  bool quoted = false;
  std::size_t comma = std::string_view::npos;
  for (std::size_t i = 0; i < info.size(); ++i) {
    if (info[i] == '"')
      quoted = !quoted;
    else if (info[i] == ',' && !quoted) {
      comma = i;
      break;
    }
  }
  const std::string_view attributes = info.substr(0, comma);
  if (comma != std::string_view::npos)
    entry.name = field(trim(info.substr(comma + 1)), utf8, limits);
  constexpr std::string_view kGroup = "group-title=\"";
  if (const auto at = attributes.find(kGroup); at != std::string_view::npos) {
    const auto start = at + kGroup.size();
    const auto end = attributes.find('"', start);
    if (end != std::string_view::npos)
      entry.tags = field(attributes.substr(start, end - start), utf8, limits);
  }
}

} // namespace

std::string read_m3u(std::string_view text, const ReadLimits &limits, ReadSink &sink) {
  std::size_t count = 0;
  const bool utf8 = valid_utf8(text);
  Lines lines(text, limits.max_line);
  ImportEntry pending;
  bool have_info = false;
  while (lines.next()) {
    if (lines.too_long()) {
      sink.refused({lines.where(), too_long_reason(limits)});
      have_info = false;
      continue;
    }
    const std::string_view line = lines.line();
    if (line.empty())
      continue;
    if (line.front() == '#') {
      if (ascii::starts_with_nocase(line, "#extinf:")) {
        pending = {};
        read_extinf(line.substr(8), utf8, limits, pending);
        have_info = true;
      }
      continue;
    }
    if (count >= limits.max_entries) {
      sink.refused({lines.where(), too_many_reason(limits)});
      break;
    }
    ImportEntry entry = have_info ? std::move(pending) : ImportEntry{};
    have_info = false;
    pending = {};
    entry.where = lines.where();
    entry.address = field(line, utf8, limits);
    ++count;
    sink.entry(std::move(entry));
  }
  return {};
}

ReadResult read_m3u(std::string_view text, const ReadLimits &limits) {
  ReadResult result;
  ReadCollector collector(result);
  result.error = read_m3u(text, limits, collector);
  return result;
}

namespace {

struct PlsItem {
  std::string where; // of its File line
  std::string file;
  std::string title;
  bool has_file = false;
};

// "File12" with prefix "file" -> 12.
std::optional<std::int64_t> key_number(std::string_view key, std::string_view prefix) {
  if (!ascii::starts_with_nocase(key, prefix))
    return std::nullopt;
  return parse_decimal(key.substr(prefix.size()), 1, 999999999);
}

} // namespace

std::string read_pls(std::string_view text, const ReadLimits &limits, ReadSink &sink) {
  const bool utf8 = valid_utf8(text);
  Lines lines(text, limits.max_line);
  std::map<std::int64_t, PlsItem> items;
  bool in_playlist = false;
  bool full = false;
  while (lines.next()) {
    if (lines.too_long()) {
      sink.refused({lines.where(), too_long_reason(limits)});
      continue;
    }
    const std::string_view line = lines.line();
    if (line.empty() || line.front() == ';' || line.front() == '#')
      continue;
    if (line.front() == '[') {
      in_playlist = ascii::starts_with_nocase(line, "[playlist]");
      continue;
    }
    const auto eq = line.find('=');
    if (!in_playlist || eq == std::string_view::npos)
      continue;
    const std::string_view key = trim(line.substr(0, eq));
    const std::string_view value = trim(line.substr(eq + 1));
    const auto file = key_number(key, "file");
    const auto title = file ? std::nullopt : key_number(key, "title");
    if (!file && !title)
      continue;
    const std::int64_t number = file ? *file : *title;
    auto found = items.find(number);
    if (found == items.end()) {
      if (items.size() >= limits.max_entries) {
        if (!full)
          sink.refused({lines.where(), too_many_reason(limits)});
        full = true;
        continue;
      }
      found = items.emplace(number, PlsItem{}).first;
    }
    PlsItem &item = found->second;
    if (file) {
      if (item.has_file) {
        sink.refused({lines.where(), std::string(key) + " given twice: the first is kept"});
        continue;
      }
      item.has_file = true;
      item.where = lines.where();
      item.file = field(value, utf8, limits);
    } else if (item.title.empty()) {
      item.title = field(value, utf8, limits);
    }
  }
  for (auto &[number, item] : items) {
    if (!item.has_file) {
      sink.refused({"entry " + std::to_string(number),
                    "Title" + std::to_string(number) + " without File" + std::to_string(number)});
      continue;
    }
    ImportEntry entry;
    entry.where = std::move(item.where);
    entry.name = std::move(item.title);
    entry.address = std::move(item.file);
    sink.entry(std::move(entry));
  }
  return {};
}

ReadResult read_pls(std::string_view text, const ReadLimits &limits) {
  ReadResult result;
  ReadCollector collector(result);
  result.error = read_pls(text, limits, collector);
  return result;
}

} // namespace station
