// Headlines from RSS and Atom documents, and the text rules they pass through.
#include "news_feed.h"
#include "news_samples.h"
#include "news_text.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace station {
namespace {

std::string rss(const std::string &items, const std::string &prolog = "") {
  return prolog + "<rss version=\"2.0\"><channel><title>Agenzia Prova</title>" + items +
         "</channel></rss>";
}

std::string rss_item(const std::string &title) {
  return "<item><title>" + title + "</title></item>";
}

std::vector<std::string> titles_of(const ParsedFeed &feed) {
  std::vector<std::string> titles;
  for (const auto &headline : feed.headlines)
    titles.push_back(headline.title);
  return titles;
}

std::size_t characters(const std::string &utf8) {
  std::size_t count = 0;
  for (const char c : utf8)
    count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return count;
}

constexpr const char *kAtomFeed = R"(<?xml version="1.0" encoding="utf-8"?>
<feed xmlns="http://www.w3.org/2005/Atom" xmlns:x="urn:other">
  <title type="html">Il &lt;i&gt;Foglio&lt;/i&gt; Atom</title>
  <link rel="self" href="https://news.example.org/atom.xml"/>
  <entry>
    <title type="html">&lt;b&gt;Roma&lt;/b&gt; &amp;amp; Milano:
      &amp;egrave; festa&lt;br/&gt;grande</title>
    <link rel="self" href="https://news.example.org/1.xml"/>
    <link href="https://news.example.org/1.html"/>
  </entry>
  <entry>
    <title type="xhtml"><div xmlns="http://www.w3.org/1999/xhtml">
      Napoli <b>batte</b> Torino</div></title>
    <link rel="alternate" href="http://news.example.org/2.html"/>
  </entry>
  <entry><title>1 &lt; 2 &amp; tanto</title><x:title>not this one</x:title></entry>
  <entry><title>  </title></entry>
</feed>)";

TEST(NewsFeed, ReadsRssAndAtomOrRefusesTheWholeDocument) {
  const std::string big_title(100000, 'x');
  std::string many_items;
  for (int i = 1; i <= 60; ++i)
    many_items += rss_item("Notizia " + std::to_string(i));
  std::string oversized = rss(rss_item("Una"));
  oversized.insert(oversized.find("</channel>"), "<!--" + std::string(kMaxFeedBytes, '-') + "->");

  struct Case {
    std::string name;
    std::string document;
    std::vector<std::string> titles; // expected, when error is empty
    std::string error;               // part of the expected error
  };
  const std::vector<Case> cases = {
      {"rss", rss("<item><title>Prima\n\t  notizia </title>"
                  "<link>https://agenzia.example.it/1</link></item>"
                  "<item><link>https://agenzia.example.it/senza-titolo</link></item>"
                  "<item><title><![CDATA[Tre <b>tag</b> & un \"segno\"]]></title></item>"),
       {"Prima notizia", "Tre <b>tag</b> & un \"segno\""}, ""},
      {"atom", kAtomFeed,
       {"Roma & Milano: è festa grande", "Napoli batte Torino", "1 < 2 & tanto"}, ""},
      {"windows-1252", rss(rss_item("Citt\xE0 pi\xF9 \x80uro"),
                           "<?xml version=\"1.0\" encoding=\"windows-1252\"?>"),
       {"Città più €uro"}, ""},
      {"latin-1", rss(rss_item("Perch\xE9"), "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"),
       {"Perché"}, ""},
      {"controls", rss(rss_item("a&#x9;b&#x7f;c\xC2\x85" "d\xE2\x80\xAE" "e\xE2\x80\xA8" "f")),
       {"a b c de f"}, ""},
      {"huge title", rss(rss_item(big_title)),
       {std::string(kMaxHeadlineChars - 1, 'x') + "…"}, ""},
      {"empty", "", {}, "empty document"},
      {"not xml", "Service Unavailable", {}, "not well-formed"},
      {"truncated", rss(rss_item("Una") + rss_item("Due")).substr(0, 80), {}, "not well-formed"},
      {"mismatched", "<rss><channel><item><title>x</item></title></channel></rss>", {},
       "not well-formed"},
      {"html page", "<html><head><title>Errore</title></head></html>", {}, "not an RSS or Atom"},
      {"atom without namespace", "<feed><entry><title>x</title></entry></feed>", {},
       "not an RSS or Atom"},
      {"no items", rss(""), {}, "no headlines"},
      {"only empty titles", rss(rss_item(" ") + rss_item("")), {}, "no headlines"},
      {"over the size limit", oversized, {}, "larger than"},
      {"entity expansion",
       "<!DOCTYPE rss [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;\">]>" +
           rss(rss_item("&b;")),
       {}, "entity declarations"},
      {"external entity",
       "<!DOCTYPE rss [<!ENTITY x SYSTEM \"file:///etc/passwd\">]>" + rss(rss_item("&x;")),
       {}, "entity declarations"},
      {"undeclared entity", rss(rss_item("&nbsp;")), {}, "not well-formed"},
      {"unknown encoding", rss(rss_item("x"), "<?xml version=\"1.0\" encoding=\"x-unknown\"?>"), {},
       "not well-formed"},
      {"bad utf-8", rss(rss_item("a\xC3(b")), {}, "not well-formed"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const auto parsed = parse_feed(c.document);
    if (c.error.empty()) {
      EXPECT_EQ(parsed.error, "");
      EXPECT_EQ(titles_of(parsed), c.titles);
    } else {
      EXPECT_NE(parsed.error.find(c.error), std::string::npos) << parsed.error;
      EXPECT_TRUE(parsed.headlines.empty()); // nothing of a broken document is kept
    }
  }

  const auto many = parse_feed(rss(many_items));
  ASSERT_EQ(many.headlines.size(), kMaxFeedHeadlines);
  EXPECT_EQ(many.headlines.back().title, "Notizia 50");
}

// Whatever bytes arrive, a headline is one line of valid UTF-8 within bounds.
TEST(NewsFeed, DamagedDocumentsGiveAnErrorOrCleanHeadlines) {
  std::mt19937 random(20240611);
  int read = 0;
  for (int round = 0; round < 3000; ++round) {
    std::string document = round % 2 ? std::string(kAtomFeed) : rss(rss_item("Citt&#224; x"));
    for (int change = 0; change < 1 + round % 4; ++change) {
      const auto at = random() % document.size();
      document[at] = static_cast<char>(random() % 256);
    }
    const auto parsed = parse_feed(document);
    read += parsed.error.empty();
    for (const auto &headline : parsed.headlines) {
      ASSERT_FALSE(headline.title.empty());
      // Unchanged by the cleaning: valid UTF-8, no control character, in bounds.
      ASSERT_EQ(one_line(headline.title, kMaxHeadlineChars), headline.title) << document;
    }
  }
  EXPECT_GT(read, 0); // some damage leaves a readable feed
  EXPECT_LT(read, 3000);
}

TEST(NewsFeed, LinksAndSources) {
  const auto atom = parse_feed(kAtomFeed);
  ASSERT_EQ(atom.headlines.size(), 3u);
  EXPECT_EQ(atom.headlines[0].link, "https://news.example.org/1.html"); // not rel="self"
  EXPECT_EQ(atom.headlines[1].link, "http://news.example.org/2.html");
  EXPECT_EQ(atom.headlines[2].link, "");
  for (const auto &headline : atom.headlines)
    EXPECT_EQ(headline.source, "Il Foglio Atom");

  const std::string long_link = "https://a.example/" + std::string(kMaxLinkBytes, 'p');
  const auto feed = parse_feed(rss(
      "<item><title>a</title><link> HTTPS://Agenzia.example.it/a?b=1 </link></item>"
      "<item><title>b</title><link>javascript:alert(1)</link></item>"
      "<item><title>c</title><link>https://a.example/x y</link></item>"
      "<item><title>d</title><link>/relativo</link></item>"
      "<item><title>e</title><link>" + long_link + "</link></item>"));
  ASSERT_EQ(feed.headlines.size(), 5u);
  EXPECT_EQ(feed.headlines[0].link, "https://Agenzia.example.it/a?b=1");
  for (std::size_t i = 1; i < 5; ++i)
    EXPECT_EQ(feed.headlines[i].link, "") << i;
  EXPECT_EQ(feed.headlines[0].source, "Agenzia Prova");
}

TEST(NewsFeed, EverySampleIsAFeedOfItsOwn) {
  NewsStore store;
  std::string error;
  ASSERT_TRUE(load_sample_news(store, error)) << error;
  std::set<std::string> seen;
  for (int category = kFirstNewsCategory; category <= kLastNewsCategory; ++category) {
    SCOPED_TRACE(category);
    const auto headlines = store.headlines(category);
    EXPECT_GE(headlines->size(), 3u);
    for (const auto &headline : *headlines)
      EXPECT_TRUE(seen.insert(headline.title).second) << headline.title;
  }
  EXPECT_EQ(sample_feed(0), "");
  EXPECT_EQ(sample_feed(16), "");
}

TEST(NewsText, OneLineOfBoundedLength) {
  struct Case {
    std::string text;
    std::size_t max;
    std::string line;
  };
  const std::vector<Case> cases = {
      {"  a \r\n\t b  ", 10, "a b"},
      {"a\xC2\xA0\xE2\x80\x83" "b", 10, "a b"},           // no-break and em spaces
      {"x\xE2\x80\xAE" "y\xE2\x81\xA6" "z", 10, "xyz"},   // direction overrides
      {"a\xFF" "b", 10, "a\xEF\xBF\xBD" "b"},             // malformed byte
      {"abcdef", 6, "abcdef"},
      {"abcdefg", 6, "abcde…"},
      {"abcd efgh", 6, "abcd…"},                            // no blank before the cut
      {"àèìòùé", 4, "àèì…"},                                // cut between characters
      {"🎵🎵🎵", 2, "🎵…"},
      {"abc", 0, ""},
      {"   ", 5, ""},
  };
  for (const auto &c : cases) {
    const auto line = one_line(c.text, c.max);
    EXPECT_EQ(line, c.line) << c.text;
    EXPECT_LE(characters(line), c.max) << c.text;
  }
}

TEST(NewsText, HtmlToText) {
  struct Case {
    std::string html, text;
  };
  const std::vector<Case> cases = {
      {"<b>Roma</b> &amp; <a href=\"x\">Milano</a>", " Roma  &  Milano "},
      {"citt&agrave; &#232; &#xE9; &hellip;", "città è é …"},
      {"&unknown; &amp &#0; &#xD800; &#99999999; &#999999999;",
       "&unknown; &amp \xEF\xBF\xBD \xEF\xBF\xBD \xEF\xBF\xBD &#999999999;"},
      {"a < b", "a "},
      {"", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(html_to_text(c.html), c.text) << c.html;
}

TEST(NewsText, JsonStringsSafeInAScriptOfAnyCodePage) {
  struct Case {
    std::string text, json;
  };
  const std::vector<Case> cases = {
      {"Roma", "\"Roma\""},
      {"</script><script>alert(1)</script>",
       "\"\\u003c/script\\u003e\\u003cscript\\u003ealert(1)\\u003c/script\\u003e\""},
      {"a\"b\\c'd&e", "\"a\\\"b\\\\c\\u0027d\\u0026e\""},
      {"più €", "\"pi\\u00f9 \\u20ac\""},
      {"\xE2\x80\xA8\xE2\x80\xA9", "\"\\u2028\\u2029\""},
      {"🎵", "\"\\ud83c\\udfb5\""},
      {std::string("\n\x01\x7f", 3), "\"\\u000a\\u0001\\u007f\""},
      {"\xC3", "\"\\ufffd\""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(json_string(c.text), c.json) << c.text;
}

TEST(NewsText, LinkHost) {
  EXPECT_EQ(link_host("https://www.example.it/a/b?c"), "www.example.it");
  EXPECT_EQ(link_host("http://example.it:8080"), "example.it");
  EXPECT_EQ(link_host("http://user@example.it/"), "example.it");
  EXPECT_EQ(link_host("http://[::1]:80/"), "[::1]");
  EXPECT_EQ(link_host("ftp://example.it/"), "");
  EXPECT_EQ(link_host("https:///x"), "");
}

} // namespace
} // namespace station
