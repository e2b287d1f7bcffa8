// The news ticker's page and what feeds it: the store of headlines and the
// configured list of feeds.
#include "cp1252.h"
#include "news_config.h"
#include "news_fetch.h"
#include "news_store.h"
#include "news_text.h"
#include "pages.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>

namespace station {
namespace {

std::vector<Headline> headlines(const std::vector<std::string> &titles) {
  std::vector<Headline> list;
  for (const auto &title : titles)
    list.push_back({title, "", ""});
  return list;
}

std::vector<std::string> titles(const Headlines &list) {
  std::vector<std::string> out;
  for (const auto &headline : *list)
    out.push_back(headline.title);
  return out;
}

const std::string kDataOpen = "<script type=\"application/json\" id=\"d\">";

int count_of(const std::string &text, const std::string &part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

std::string between(const std::string &text, const std::string &open, const std::string &close) {
  const auto start = text.find(open);
  if (start == std::string::npos)
    return "(missing)";
  const auto end = text.find(close, start + open.size());
  return text.substr(start + open.size(), end - start - open.size());
}

TEST(NewsStore, SampleUntilAFeedLoadsThenFeedsInTurnWithoutRepeats) {
  NewsStore store;
  store.set_sample(5, headlines({"esempio 1", "esempio 2"}));
  EXPECT_EQ(titles(store.headlines(5)), (std::vector<std::string>{"esempio 1", "esempio 2"}));
  EXPECT_TRUE(store.headlines(6)->empty());

  store.set_feed(5, "http://a.example/rss", {});
  EXPECT_EQ(titles(store.headlines(5)).front(), "esempio 1"); // an empty feed is no feed
  const auto before = store.headlines(5);

  store.set_feed(5, "http://a.example/rss", headlines({"a1", "a2", "a3"}));
  store.set_feed(5, "http://b.example/rss", headlines({"b1", "a2", "b3", "b4"}));
  EXPECT_EQ(titles(store.headlines(5)),
            (std::vector<std::string>{"a1", "b1", "a2", "a3", "b3", "b4"}));
  EXPECT_EQ(titles(before).front(), "esempio 1"); // a reader's copy never changes under it

  store.set_feed(5, "http://a.example/rss", headlines({"a9"})); // the same feed again
  EXPECT_EQ(titles(store.headlines(5)), (std::vector<std::string>{"a9", "b1", "a2", "b3", "b4"}));

  std::vector<std::string> many;
  for (int i = 0; i < 60; ++i)
    many.push_back("c" + std::to_string(i));
  store.set_feed(5, "http://c.example/rss", headlines(many));
  const auto capped = titles(store.headlines(5));
  ASSERT_EQ(capped.size(), kMaxFeedHeadlines);
  EXPECT_EQ(capped.back(), "c44"); // 5 of the first two feeds, 45 of the third
  EXPECT_EQ(std::vector<std::string>(capped.begin(), capped.begin() + 4),
            (std::vector<std::string>{"a9", "b1", "c0", "a2"}));

  for (const int outside : {0, 16, -1}) {
    store.set_feed(outside, "http://a.example/rss", headlines({"x"}));
    EXPECT_TRUE(store.headlines(outside)->empty());
  }
  EXPECT_EQ(news_category_name(1), "Top News");
  EXPECT_EQ(news_category_name(15), "Meteo");
  EXPECT_EQ(news_category_name(16), "");
}

class NewsPage : public ::testing::Test {
protected:
  Reply get(const QueryParams &params) {
    const PageRequest request{{PortKind::Mirror, 1}, "GET", "/Radio/RssSintonia.asp", params,
                              "127.0.0.1:1", {}, 0};
    return serve_page(request, context_);
  }

  Directory directory_{":memory:"};
  NewsStore store_;
  PageContext context_{directory_, {}, store_};
};

TEST_F(NewsPage, CategoriesOneToFifteenOthersAreTitledNo) {
  for (int category = 1; category <= 15; ++category)
    store_.set_sample(category, headlines({"Notizia della categoria " + std::to_string(category)}));

  struct Case {
    std::string id;
    std::string title;
    std::string heading;
  };
  const std::vector<Case> cases = {
      {"1", "Notizia della categoria 1", "Top News"},
      {"8", "Notizia della categoria 8", "Cultura e societ\xE0"},
      {"15", "Notizia della categoria 15", "Meteo"},
      {"0", "NO", ""},
      {"16", "NO", ""},
      {"-1", "NO", ""},
      {"abc", "NO", ""},
      {"1.5", "NO", ""},
      {"", "NO", ""},
      {"99999999999999999999999", "NO", ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.id);
    const auto reply = get({{"IdNotizia", c.id}, {"TempoRitardo", "10"}});
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(between(reply.body, "<title>", "</title>"), c.title);
    if (c.heading.empty()) {
      EXPECT_NE(reply.body.find("non disponibile"), std::string::npos);
      EXPECT_EQ(reply.body.find("<script"), std::string::npos); // nothing could change the title
    } else {
      EXPECT_NE(reply.body.find("Sintonia News &middot; " + c.heading), std::string::npos);
    }
  }
  EXPECT_EQ(between(get({}).body, "<title>", "</title>"), "NO");
}

TEST_F(NewsPage, RotatesEverySecondsGivenWithinLimits) {
  struct Case {
    std::optional<std::string> given;
    int seconds;
  };
  const std::vector<Case> cases = {
      {"10", 10},   {"3", 3},       {"2", 3},           {"0", 3},
      {"3600", 3600}, {"3601", 3600}, {std::string(40, '9'), 3600}, {std::nullopt, 30},
      {"", 30},     {"abc", 30},    {"-5", 30},         {"1e3", 30},
      {" 5", 30},   {"5s", 30},     {std::string(100, '1'), 30},
  };
  store_.set_sample(2, headlines({"One", "Two"}));
  for (const auto &c : cases) {
    SCOPED_TRACE(c.given.value_or("(missing)").substr(0, 20));
    QueryParams params{{"IdNotizia", "2"}};
    if (c.given)
      params.emplace("TempoRitardo", *c.given);
    EXPECT_EQ(ticker_seconds(params), c.seconds);
    const auto body = get(params).body;
    EXPECT_NE(body.find("})(" + std::to_string(c.seconds * 1000) + ","), std::string::npos);
  }
}

TEST_F(NewsPage, HeadlinesGoInAsDataAndTextNeverAsMarkup) {
  store_.set_sample(4, {{"</script><script>alert(1)</script>", "https://x.example/a",
                         "Fonte \"><b>"},
                        {"<img src=x onerror=alert(1)>", "", ""},
                        {"Città più 🎵", "", ""},
                        {"no", "", ""}});
  const auto body = get({{"IdNotizia", "4"}, {"TempoRitardo", "5"}}).body;

  // Only the page's own two scripts, and no element from a headline.
  EXPECT_EQ(count_of(body, "<script"), 2);
  EXPECT_EQ(count_of(body, "</script>"), 2);
  EXPECT_EQ(body.find("<img"), std::string::npos);
  EXPECT_EQ(body.find("<b>"), std::string::npos);
  EXPECT_EQ(between(body, "<title>", "</title>"),
            "&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;");
  EXPECT_EQ(between(body, "<div id=\"s\">", "</div>"), "Fonte &quot;&gt;&lt;b&gt; \xB7 x.example");

  const std::string data = between(body, kDataOpen, "</script>");
  EXPECT_EQ(data,
            "[\r\n[\"\\u003c/script\\u003e\\u003cscript\\u003ealert(1)\\u003c/script\\u003e\","
            "\"Fonte \\\"\\u003e\\u003cb\\u003e \\u00b7 x.example\"],\r\n"
            "[\"\\u003cimg src=x onerror=alert(1)\\u003e\",\"\"],\r\n"
            "[\"Citt\\u00e0 pi\\u00f9 \\ud83c\\udfb5\",\"\"],\r\n"
            "[\"no\",\"\",\"no.\"]]"); // a headline never hides the ticker
  // Shown with textContent, and the title set from the data alone.
  EXPECT_NE(body.find("t.textContent=h[0]"), std::string::npos);
  EXPECT_EQ(body.find("innerHTML"), std::string::npos);
  EXPECT_NE(body.find("document.title=h[2]||h[0]"), std::string::npos);
  EXPECT_NE(body.find("document.title='NO'"), std::string::npos);
  // Nothing to load from elsewhere and nothing that opens a window.
  for (const std::string absent : {"<a ", "<link", "<iframe", "<form", "window.open", "target="})
    EXPECT_EQ(body.find(absent), std::string::npos) << absent;
}

TEST_F(NewsPage, EmptyCategoryIsTitledNo) {
  const auto reply = get({{"IdNotizia", "9"}});
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(between(reply.body, "<title>", "</title>"), "NO");
  EXPECT_NE(reply.body.find("Nessuna notizia"), std::string::npos);
  EXPECT_NE(reply.body.find("id=\"d\">[]</script>"), std::string::npos);
}

// Runs the page's script in node with a stand-in document and clock: the
// titles it sets in order, and the delay before each next step.
class NewsPageScript : public NewsPage {
protected:
  std::string run(const std::string &page, int steps) {
    const std::string data = between(page, kDataOpen, "</script>");
    const auto last = page.rfind("<script>");
    const std::string script = page.substr(last + 8, page.rfind("</script>") - last - 8);
    const std::string harness =
        "var el={d:{textContent:" + json_string(data) + "},t:{textContent:''},"
        "s:{textContent:''}};\n"
        "var document={title:'start',getElementById:function(k){return el[k];}};\n"
        "var window={};var timers=[];function setTimeout(f,ms){timers.push([f,ms]);}\n" +
        script + "\nvar out=[];for(var n=0;n<" + std::to_string(steps) +
        "&&timers.length;n++){var x=timers.shift();\n"
        "out.push(document.title+'|'+el.t.textContent+'|'+x[1]);x[0]();}\n"
        "process.stdout.write(out.join('\\n'));\n";
    const auto file = std::filesystem::temp_directory_path() /
                      ("news-ticker-" + std::to_string(getpid()) + ".js");
    std::ofstream(file) << harness;
    std::string output;
    if (FILE *pipe = popen(("timeout 20 node " + file.string() + " 2>&1").c_str(), "r")) {
      char buffer[4096];
      for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
      pclose(pipe);
    }
    std::filesystem::remove(file);
    return output;
  }
};

TEST_F(NewsPageScript, ShowsEachHeadlineThenNoThenStartsAgain) {
  if (std::system("node --version > /dev/null 2>&1") != 0)
    GTEST_SKIP() << "node is not installed";
  store_.set_sample(7, {{"Uno", "", "Fonte"}, {"</script><b>Due</b>", "", ""}, {"NO", "", ""}});
  const auto page = cp1252_to_utf8(get({{"IdNotizia", "7"}, {"TempoRitardo", "4"}}).body);
  EXPECT_EQ(run(page, 9), "Uno|Uno|4000\n"
                          "</script><b>Due</b>|</script><b>Due</b>|4000\n"
                          "NO.|NO|4000\n"
                          "NO|NO|4000\n"
                          "Uno|Uno|4000\n"
                          "</script><b>Due</b>|</script><b>Due</b>|4000\n"
                          "NO.|NO|4000\n"
                          "NO|NO|4000\n"
                          "Uno|Uno|4000");
}

TEST(NewsConfig, LinesOfCategoryAndAddress) {
  const auto config = parse_feed_config(
      "# feeds\r\n"
      "\r\n"
      "1 https://news.example.it/rss\r\n"
      "  5\thttp://sport.example.it:8080/calcio.xml   # calcio\n"
      "1 https://news.example.it/rss\n" // the same feed once
      "15 http://[::1]/meteo\n");
  ASSERT_EQ(config.error, "");
  EXPECT_EQ(config.feeds, (std::vector<FeedSource>{{1, "https://news.example.it/rss"},
                                                   {5, "http://sport.example.it:8080/calcio.xml"},
                                                   {15, "http://[::1]/meteo"}}));

  std::string nine;
  for (int i = 0; i < 9; ++i)
    nine += "3 http://a.example/" + std::to_string(i) + "\n";
  struct Case {
    std::string text, error;
  };
  const std::vector<Case> bad = {
      {"0 http://a.example/", "line 1: the category must be 1..15"},
      {"# x\n16 http://a.example/", "line 2: the category must be 1..15"},
      {"uno http://a.example/", "line 1: the category must be"},
      {"1 ftp://a.example/", "line 1: not an http(s) address"},
      {"1 a.example/rss", "line 1: not an http(s) address"},
      {"1", "line 1: expected <category> <address>"},
      {"1 http://a.example/ extra", "line 1: expected <category> <address>"},
      {"1 http://a.example/\n2 https://", "line 2: not an http(s) address"},
      {nine, "line 9: more than 8 feeds for category 3"},
      {std::string(kMaxFeedFileBytes + 1, '#'), "larger than"},
  };
  for (const auto &c : bad) {
    const auto refused = parse_feed_config(c.text);
    EXPECT_EQ(refused.error.substr(0, c.error.size()), c.error) << c.text.substr(0, 40);
    EXPECT_TRUE(refused.feeds.empty());
  }
}

TEST(NewsConfig, ReadFromAFile) {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("news-config-" + std::to_string(getpid()));
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "feeds.txt") << "2 https://en.example.org/rss\n";
  std::ofstream(folder / "bad.txt") << "2 https://en.example.org/rss\n99 http://x.example/\n";

  EXPECT_EQ(read_feed_config((folder / "feeds.txt").string()).feeds,
            (std::vector<FeedSource>{{2, "https://en.example.org/rss"}}));
  EXPECT_EQ(read_feed_config((folder / "bad.txt").string()).error,
            (folder / "bad.txt").string() + ": line 2: the category must be 1..15");
  for (const auto &unreadable : {folder / "missing.txt", folder})
    EXPECT_EQ(read_feed_config(unreadable.string()).error, "cannot read " + unreadable.string());
  std::filesystem::remove_all(folder);
}

TEST(NewsConfig, TheShippedExampleIsAValidList) {
  const auto config = read_feed_config(NEWS_FEEDS_EXAMPLE);
  ASSERT_EQ(config.error, "");
  std::set<int> categories;
  for (const auto &feed : config.feeds) {
    categories.insert(feed.category);
    EXPECT_EQ(feed.url.rfind("https://", 0), 0u) << feed.url;
  }
  EXPECT_GE(categories.size(), 14u);
}

TEST(NewsConfig, FeedAddresses) {
  struct Case {
    std::string url;
    bool tls;
    std::string host;
    int port;
    std::string target;
  };
  const std::vector<Case> good = {
      {"http://example.it", false, "example.it", 80, "/"},
      {"HTTPS://News.Example.it:8443/a/b?x=1&y=%20#frammento", true, "News.Example.it", 8443,
       "/a/b?x=1&y=%20"},
      {"https://example.it?feed=rss2", true, "example.it", 443, "/?feed=rss2"},
      {"http://127.0.0.1:47801/x", false, "127.0.0.1", 47801, "/x"},
      {"http://[::1]:8080/feed", false, "::1", 8080, "/feed"},
  };
  for (const auto &c : good) {
    SCOPED_TRACE(c.url);
    const auto url = parse_feed_url(c.url);
    ASSERT_TRUE(url);
    EXPECT_EQ(url->tls, c.tls);
    EXPECT_EQ(url->host, c.host);
    EXPECT_EQ(url->port, c.port);
    EXPECT_EQ(url->target, c.target);
  }
  const std::vector<std::string> bad_urls = {
       "", "ftp://example.it/", "example.it/rss", "http://", "http:///rss", "http://:80/",
        "http://a.example:0/", "http://a.example:65536/", "http://a.example:/",
        "http://a.example:x/",
        "http://user@a.example/", "http://a example/", "http://a.example/\x01", "http://[::1/",
        "http://[::1]x/", "http://[zz]/", "http://../", "http://a.example/\xC3\xA0",
        "http://a.example/" + std::string(kMaxFeedUrl, 'a')};
  for (const auto &bad : bad_urls)
    EXPECT_FALSE(parse_feed_url(bad)) << bad.substr(0, 40);
}

} // namespace
} // namespace station
