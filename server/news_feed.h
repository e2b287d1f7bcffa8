// Headlines read from an RSS 2.0 or Atom document. The document is
// untrusted: it is read by expat whole, within fixed limits, and either
// gives at least one headline or an error, never part of a broken feed.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace station {

inline constexpr std::size_t kMaxFeedBytes = 1024 * 1024;
inline constexpr std::size_t kMaxFeedHeadlines = 50;
inline constexpr std::size_t kMaxHeadlineChars = 300;
inline constexpr std::size_t kMaxSourceChars = 80;
inline constexpr std::size_t kMaxLinkBytes = 2048;

struct Headline {
  std::string title;  // one line of plain UTF-8 (news_text.h), never empty
  std::string link;   // an absolute http(s) address, or empty
  std::string source; // the feed's own title, one line, may be empty

  bool operator==(const Headline &) const = default;
};

struct ParsedFeed {
  std::vector<Headline> headlines; // in document order, at most kMaxFeedHeadlines
  std::string error;               // empty when the document was a feed
};

// RSS 2.0: <rss><channel><item><title>, <link> and the channel's <title>.
// Atom (http://www.w3.org/2005/Atom): <feed><entry><title> of type text,
// html or xhtml, the entry's alternate <link href>, and the feed's <title>.
// Items without a title are skipped. Documents over kMaxFeedBytes, with an
// entity declaration, another root, no headline or any XML error are refused.
// UTF-8, UTF-16, ISO-8859-1, US-ASCII and Windows-1252 are read.
ParsedFeed parse_feed(std::string_view document);

} // namespace station
