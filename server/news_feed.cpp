#include "news_feed.h"

#include "cp1252.h"
#include "news_text.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <memory>

namespace station {

namespace {

constexpr std::string_view kAtom = "http://www.w3.org/2005/Atom";
constexpr XML_Char kNameSeparator = '\n'; // "namespace\nlocal name"
// Raw text kept of one field; an HTML title may be mostly markup.
constexpr std::size_t kMaxRawText = 64 * 1024;
// Every field read lies within the first four levels of the document.
constexpr int kTrackedDepth = 4;

enum class Format { Unknown, Rss, Atom };
enum class Field { None, Source, Title, Link };

bool named(std::string_view name, std::string_view space, std::string_view local) {
  if (space.empty())
    return name == local;
  return name.size() == space.size() + 1 + local.size() && name.starts_with(space) &&
         name[space.size()] == kNameSeparator && name.ends_with(local);
}

bool rss(std::string_view name, std::string_view local) { return named(name, {}, local); }
bool atom(std::string_view name, std::string_view local) { return named(name, kAtom, local); }

const XML_Char *attribute(const XML_Char **attributes, std::string_view key) {
  for (; attributes[0]; attributes += 2)
    if (key == attributes[0])
      return attributes[1];
  return nullptr;
}

bool same_ascii_letters(std::string_view a, std::string_view b) {
  if (a.size() != b.size())
    return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i]))
      return false;
  }
  return true;
}

// An absolute http(s) address of printable ASCII, or empty.
std::string checked_link(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos)
    return {};
  text = text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
  if (text.size() > kMaxLinkBytes)
    return {};
  for (const char c : text)
    if (c <= ' ' || c > '~')
      return {};
  std::string link(text);
  const auto colon = link.find(':');
  for (std::size_t i = 0; i < colon && colon != std::string::npos; ++i)
    if (link[i] >= 'A' && link[i] <= 'Z')
      link[i] = static_cast<char>(link[i] + 32);
  return link_host(link).empty() ? std::string() : link;
}

struct Reader {
  XML_Parser parser = nullptr;
  Format format = Format::Unknown;
  int depth = 0;
  std::array<std::string, kTrackedDepth + 1> names; // names[d]: the open element at depth d
  bool in_item = false;
  int item_depth = 0;
  Headline item;
  Field field = Field::None;
  int field_depth = 0;
  bool field_is_html = false;
  std::string text;
  std::string source;
  std::vector<Headline> headlines;
  std::string error;

  void fail(std::string message) {
    if (error.empty())
      error = std::move(message);
    XML_StopParser(parser, XML_FALSE);
  }

  void open_field(Field which, bool html) {
    field = which;
    field_depth = depth;
    field_is_html = html;
    text.clear();
  }

  void close_field() {
    const std::string plain = field_is_html ? html_to_text(text) : text;
    if (field == Field::Source && source.empty())
      source = one_line(plain, kMaxSourceChars);
    else if (field == Field::Title && item.title.empty())
      item.title = one_line(plain, kMaxHeadlineChars);
    else if (field == Field::Link && item.link.empty())
      item.link = checked_link(text);
    field = Field::None;
  }

  void open_item() {
    in_item = true;
    item_depth = depth;
    item = {};
  }

  void close_item() {
    if (!item.title.empty() && headlines.size() < kMaxFeedHeadlines)
      headlines.push_back(std::move(item));
    in_item = false;
  }

  // An Atom title's text: type "html" is escaped markup; "xhtml" markup is
  // read for its text as it stands.
  static bool html_title(const XML_Char **attributes) {
    const XML_Char *type = attribute(attributes, "type");
    return type && same_ascii_letters(type, "html");
  }

  void start(std::string_view name, const XML_Char **attributes) {
    if (depth == 1) {
      if (rss(name, "rss"))
        format = Format::Rss;
      else if (atom(name, "feed"))
        format = Format::Atom;
      else
        fail("not an RSS or Atom document");
      return;
    }
    if (format == Format::Rss) {
      if (depth == 3 && rss(names[2], "channel")) {
        if (rss(name, "item"))
          open_item();
        else if (rss(name, "title"))
          open_field(Field::Source, false);
      } else if (depth == 4 && in_item) {
        if (rss(name, "title"))
          open_field(Field::Title, false);
        else if (rss(name, "link"))
          open_field(Field::Link, false);
      }
      return;
    }
    if (depth == 2) {
      if (atom(name, "entry"))
        open_item();
      else if (atom(name, "title"))
        open_field(Field::Source, html_title(attributes));
    } else if (depth == 3 && in_item) {
      if (atom(name, "title")) {
        open_field(Field::Title, html_title(attributes));
      } else if (atom(name, "link") && item.link.empty()) {
        const XML_Char *rel = attribute(attributes, "rel");
        const XML_Char *href = attribute(attributes, "href");
        if (href && (!rel || std::string_view(rel) == "alternate"))
          item.link = checked_link(href);
      }
    }
  }
};

void XMLCALL on_start(void *data, const XML_Char *name, const XML_Char **attributes) {
  auto &reader = *static_cast<Reader *>(data);
  if (!reader.error.empty())
    return;
  ++reader.depth;
  if (reader.depth <= kTrackedDepth)
    reader.names[static_cast<std::size_t>(reader.depth)] = name;
  if (reader.field == Field::None) // else markup inside a field: only its text counts
    reader.start(name, attributes);
}

void XMLCALL on_end(void *data, const XML_Char *) {
  auto &reader = *static_cast<Reader *>(data);
  if (!reader.error.empty())
    return;
  if (reader.field != Field::None && reader.depth == reader.field_depth)
    reader.close_field();
  if (reader.in_item && reader.depth == reader.item_depth)
    reader.close_item();
  --reader.depth;
}

void XMLCALL on_text(void *data, const XML_Char *text, int length) {
  auto &reader = *static_cast<Reader *>(data);
  if (!reader.error.empty() || reader.field == Field::None || length <= 0)
    return;
  const std::size_t room = kMaxRawText - std::min(kMaxRawText, reader.text.size());
  reader.text.append(text, std::min(room, static_cast<std::size_t>(length)));
}

// Entities are what entity-expansion attacks are made of, and what external
// entities are fetched through; a news feed needs none.
void XMLCALL on_entity_declaration(void *data, const XML_Char *, int, const XML_Char *, int,
                                   const XML_Char *, const XML_Char *, const XML_Char *,
                                   const XML_Char *) {
  static_cast<Reader *>(data)->fail("entity declarations are not accepted");
}

// Windows-1252, which expat does not know by itself and Italian sites use.
int XMLCALL on_unknown_encoding(void *, const XML_Char *name, XML_Encoding *info) {
  if (!same_ascii_letters(name, "windows-1252") && !same_ascii_letters(name, "cp1252"))
    return XML_STATUS_ERROR;
  for (int byte = 0; byte < 256; ++byte) {
    const std::string utf8 = cp1252_to_utf8(std::string(1, static_cast<char>(byte)));
    const auto unit = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    int cp = unit(0);
    if (utf8.size() == 2)
      cp = (unit(0) & 0x1F) << 6 | (unit(1) & 0x3F);
    else if (utf8.size() == 3)
      cp = (unit(0) & 0x0F) << 12 | (unit(1) & 0x3F) << 6 | (unit(2) & 0x3F);
    info->map[byte] = cp;
  }
  info->data = nullptr;
  info->convert = nullptr;
  info->release = nullptr;
  return XML_STATUS_OK;
}

struct ParserFree {
  void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

} // namespace

ParsedFeed parse_feed(std::string_view document) {
  ParsedFeed result;
  if (document.empty()) {
    result.error = "empty document";
    return result;
  }
  if (document.size() > kMaxFeedBytes) {
    result.error = "larger than " + std::to_string(kMaxFeedBytes) + " bytes";
    return result;
  }
  const std::unique_ptr<std::remove_pointer_t<XML_Parser>, ParserFree> parser(
      XML_ParserCreateNS(nullptr, kNameSeparator));
  if (!parser) {
    result.error = "no memory for the XML parser";
    return result;
  }
  Reader reader;
  reader.parser = parser.get();
  XML_SetUserData(parser.get(), &reader);
  XML_SetElementHandler(parser.get(), on_start, on_end);
  XML_SetCharacterDataHandler(parser.get(), on_text);
  XML_SetEntityDeclHandler(parser.get(), on_entity_declaration);
  XML_SetUnknownEncodingHandler(parser.get(), on_unknown_encoding, nullptr);
  XML_SetParamEntityParsing(parser.get(), XML_PARAM_ENTITY_PARSING_NEVER);

  const auto status =
      XML_Parse(parser.get(), document.data(), static_cast<int>(document.size()), XML_TRUE);
  if (!reader.error.empty()) {
    result.error = reader.error;
  } else if (status != XML_STATUS_OK) {
    result.error = std::string("not well-formed XML (") +
                   XML_ErrorString(XML_GetErrorCode(parser.get())) + ", line " +
                   std::to_string(XML_GetCurrentLineNumber(parser.get())) + ")";
  } else if (reader.headlines.empty()) {
    result.error = "no headlines";
  } else {
    result.headlines = std::move(reader.headlines);
    for (auto &headline : result.headlines)
      headline.source = reader.source;
  }
  return result;
}

} // namespace station
