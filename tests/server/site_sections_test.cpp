// The sections of the sites (community, new software, holidays, forum,
// donations, advertising) and the mirrors' video page and web search strip.
#include "cp1252.h"
#include "pages.h"

#include <gtest/gtest.h>

#include <set>

namespace station {
namespace {

std::string title_of(const std::string &page) {
  const auto open = page.find("<title>");
  const auto close = page.find("</title>");
  if (open == std::string::npos || close == std::string::npos || close < open)
    return "(no title)";
  return cp1252_to_utf8(page.substr(open + 7, close - open - 7));
}

// Every href="..." of a page, as written.
std::multiset<std::string> links_of(const std::string &page) {
  std::multiset<std::string> links;
  const std::string open = "href=\"";
  for (auto at = page.find(open); at != std::string::npos; at = page.find(open, at + 1)) {
    const auto start = at + open.size();
    links.insert(page.substr(start, page.find('"', start) - start));
  }
  return links;
}

// The seconds of "private, max-age=N", or -1.
long max_age(const std::string &cache_control) {
  const std::string prefix = "private, max-age=";
  if (cache_control.rfind(prefix, 0) != 0)
    return -1;
  return std::stol(cache_control.substr(prefix.size()));
}

class SitePages : public ::testing::Test {
protected:
  Reply ask(PortKind kind, int number, const std::string &path, const QueryParams &params = {},
            const std::string &method = "GET") {
    const PageRequest request{{kind, number}, method, path, params, "127.0.0.1:1", {}, 0};
    return serve_page(request, context_);
  }
  Reply site(const std::string &path, const QueryParams &params = {}) {
    return ask(PortKind::Site, 1, path, params);
  }
  Reply topic(const std::string &id, const std::string &root = "/forum") {
    return site(root + "/topic", {{"id", id}});
  }

  Directory directory_{":memory:"};
  NewsStore news_;
  PageContext context_{directory_, {}, news_};
};

TEST_F(SitePages, EachSectionWithItsTitleLinksAndCacheOnEverySiteAndNoMirror) {
  struct Case {
    std::string path;
    std::string title;
    std::vector<std::string> links;
  };
  const std::vector<Case> cases = {
      {"/plugin/fb/", "Community - Sintonia", {"/plugin/news/", "/forum"}},
      {"/plugin/news/", "Nuovo software - Sintonia", {"/plugin/fb/", "/pubblicitasoftware.asp"}},
      {"/plugin/vacanze/",
       "Vacanze - Sintonia",
       {"/plugin/vacanze/mare.htm", "/plugin/vacanze/montagna.htm"}},
      {"/plugin/vacanze/mare.htm",
       "Vacanze al mare - Sintonia",
       {"/plugin/vacanze/", "/plugin/vacanze/montagna.htm"}},
      {"/plugin/vacanze/montagna.htm",
       "Vacanze in montagna - Sintonia",
       {"/plugin/vacanze/", "/plugin/vacanze/mare.htm"}},
      {"/forum", "Forum - Sintonia", {"/forum/topic?id=1", "/forum/topic?id=20"}},
      {"/Forum", "Forum - Sintonia", {"/Forum/topic?id=1", "/Forum/topic?id=20"}},
      {"/Pagamenti/Donazioni.htm",
       "Donazioni - Sintonia",
       {"/plugin/fb/", "/pubblicitasoftware.asp"}},
      {"/pubblicitasoftware.asp", "Pubblicità - Sintonia", {"/plugin/fb/", "/plugin/news/"}},
  };
  for (const auto &c : cases) {
    for (int number = 1; number <= kSiteCount; ++number) {
      SCOPED_TRACE(c.path + " on site " + std::to_string(number));
      for (const std::string method : {"GET", "HEAD"}) {
        const auto reply = ask(PortKind::Site, number, c.path, {}, method);
        EXPECT_EQ(reply.status, 200);
        EXPECT_EQ(reply.content_type, kHtmlType);
        EXPECT_GE(max_age(reply.cache_control), 180) << reply.cache_control;
        EXPECT_EQ(title_of(reply.body), c.title);
        const auto links = links_of(reply.body);
        for (const auto &link : c.links)
          EXPECT_TRUE(links.contains(link)) << link;
        // Every link stays on the host that was asked.
        for (const auto &link : links)
          EXPECT_EQ(link.front(), '/') << link;
        EXPECT_EQ(reply.body.find("src="), std::string::npos);
      }
    }
    EXPECT_EQ(ask(PortKind::Mirror, 1, c.path).status, 404);
    EXPECT_EQ(ask(PortKind::Site, 1, c.path, {}, "POST").status, 404);
  }
}

TEST_F(SitePages, MirrorPagesOnlyOnMirrorsAndEveryPathOnlyInItsOwnSpelling) {
  for (const std::string path : {"/Radio/Video.asp", "/radio/GoogleFinder.htm"}) {
    SCOPED_TRACE(path);
    for (int number = 1; number <= kMirrorCount; ++number) {
      const auto reply = ask(PortKind::Mirror, number, path);
      EXPECT_EQ(reply.status, 200);
      EXPECT_EQ(reply.content_type, kHtmlType);
      EXPECT_GE(max_age(reply.cache_control), 180) << reply.cache_control;
    }
    EXPECT_EQ(ask(PortKind::Mirror, 1, path, {}, "HEAD").status, 200);
    EXPECT_EQ(ask(PortKind::Site, 1, path).status, 404);
  }
  EXPECT_EQ(title_of(ask(PortKind::Mirror, 1, "/Radio/Video.asp").body), "Video - Sintonia");
  EXPECT_EQ(title_of(ask(PortKind::Mirror, 1, "/radio/GoogleFinder.htm").body),
            "Cerca nel web - Sintonia");

  for (const std::string path : {"/radio/Video.asp", "/Radio/video.asp", "/Radio/GoogleFinder.htm",
                                 "/radio/googlefinder.htm"})
    EXPECT_EQ(ask(PortKind::Mirror, 1, path).status, 404) << path;
  for (const std::string path :
       {"/FORUM", "/forum/", "/Forum/", "/forum/Topic", "/FORUM/topic", "/plugin/fb", "/Plugin/fb/",
        "/plugin/FB/", "/plugin/News/", "/plugin/vacanze", "/plugin/vacanze/Mare.htm",
        "/plugin/vacanze/collina.htm", "/pagamenti/Donazioni.htm", "/Pagamenti/donazioni.htm",
        "/PubblicitaSoftware.asp"})
    EXPECT_EQ(site(path).status, 404) << path;
}

TEST_F(SitePages, SearchStripOpensTheWebSearchInANewWindow) {
  const auto reply = ask(PortKind::Mirror, 2, "/radio/GoogleFinder.htm");
  ASSERT_EQ(reply.status, 200);
  const auto &page = reply.body;
  const auto open = page.find("<form ");
  ASSERT_NE(open, std::string::npos);
  const std::string form = page.substr(open, page.find('>', open) - open);
  for (const std::string attribute :
       {"method=\"get\"", "action=\"https://www.google.com/search\"", "target=\"_blank\"",
        "accept-charset=\"UTF-8\""})
    EXPECT_NE(form.find(attribute), std::string::npos) << form;
  EXPECT_EQ(page.find("<form ", open + 1), std::string::npos);
  EXPECT_NE(page.find("<input type=\"text\" name=\"q\""), std::string::npos);
  EXPECT_NE(page.find("<input type=\"submit\""), std::string::npos);
  // Nothing else to load, no margins, sized for its strip.
  for (const std::string absent : {"src=", "<link", "<script", "url(", "@import"})
    EXPECT_EQ(page.find(absent), std::string::npos) << absent;
  EXPECT_NE(page.find("margin:0"), std::string::npos);
  EXPECT_NE(page.find("width:377px;height:40px"), std::string::npos);
  EXPECT_LT(page.size(), 2048u);
}

TEST_F(SitePages, ForumTopicsOneToTwentyOthersAFriendly404) {
  struct Case {
    std::string id;
    int status;
  };
  const std::vector<Case> cases = {
      {"1", 200},
      {"7", 200},
      {"20", 200},
      {"0", 404},
      {"21", 404},
      {"-1", 404},
      {"+3", 404},
      {" 3", 404},
      {"3 ", 404},
      {"3.0", 404},
      {"0x3", 404},
      {"abc", 404},
      {"", 404},
      {"99999999999999999999", 404},
      {"18446744073709551617", 404},
      {std::string(5000, '9'), 404},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.id.substr(0, 30));
    const auto reply = topic(c.id);
    EXPECT_EQ(reply.status, c.status);
    EXPECT_EQ(reply.content_type, kHtmlType);
    if (c.status == 200) {
      EXPECT_TRUE(title_of(reply.body).ends_with(" - Forum - Sintonia")) << title_of(reply.body);
      EXPECT_GE(max_age(reply.cache_control), 180);
    } else {
      EXPECT_EQ(title_of(reply.body), "Discussione non trovata - Forum - Sintonia");
      EXPECT_EQ(reply.cache_control, "no-cache"); // a mistake is not kept
      EXPECT_TRUE(links_of(reply.body).contains("/forum"));
    }
  }
  EXPECT_EQ(site("/forum/topic").status, 404);
  EXPECT_EQ(site("/forum/topic", {{"Id", "3"}}).status, 404);
  EXPECT_EQ(title_of(topic("1").body), "Benvenuti nel forum di Sintonia - Forum - Sintonia");
}

TEST_F(SitePages, ForumLinksStayInTheSpellingTheyWereAskedUnder) {
  for (const std::string root : {"/forum", "/Forum"}) {
    SCOPED_TRACE(root);
    const auto index = links_of(site(root).body);
    for (int id = 1; id <= 20; ++id)
      EXPECT_EQ(index.count(root + "/topic?id=" + std::to_string(id)), 1u) << id;
    EXPECT_EQ(index.count(root + "/topic?id=0") + index.count(root + "/topic?id=21"), 0u);

    // Neighbours and the way back; none past either end.
    const auto first = links_of(topic("1", root).body);
    EXPECT_EQ(first.count(root + "/topic?id=2"), 1u);
    EXPECT_TRUE(first.contains(root));
    EXPECT_EQ(first.count(root + "/topic?id=0"), 0u);
    const auto middle = links_of(topic("7", root).body);
    EXPECT_EQ(middle.count(root + "/topic?id=6"), 1u);
    EXPECT_EQ(middle.count(root + "/topic?id=8"), 1u);
    const auto last = links_of(topic("20", root).body);
    EXPECT_EQ(last.count(root + "/topic?id=19"), 1u);
    EXPECT_EQ(last.count(root + "/topic?id=21"), 0u);
  }
}

TEST_F(SitePages, UnknownTopicIdShownBackEscapedOrNotAtAll) {
  struct Case {
    std::string id;
    std::string shown;  // must be in the page
    std::string absent; // must not
  };
  const std::vector<Case> cases = {
      {"42", "&laquo;42&raquo;", "<script"},
      {"<script>x</script>", "&laquo;&lt;script&gt;x&lt;/script&gt;&raquo;", "<script"},
      {"\"><b>", "&laquo;&quot;&gt;&lt;b&gt;&raquo;", "\"><b>"},
      {"a\r\nb\x01\xE0", "&laquo;a??b??&raquo;", "\r\nb"},
      {std::string(21, 'x'), "La discussione non esiste", std::string(21, 'x')},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.id);
    const auto reply = topic(c.id);
    EXPECT_EQ(reply.status, 404);
    EXPECT_NE(reply.body.find(c.shown), std::string::npos) << reply.body;
    EXPECT_EQ(reply.body.find(c.absent), std::string::npos);
  }
}

TEST_F(SitePages, VideoPageLinksOnlyToStationsThatExist) {
  const auto empty = ask(PortKind::Mirror, 1, "/Radio/Video.asp");
  ASSERT_EQ(empty.status, 200);
  EXPECT_EQ(empty.body.find("mostraRadio.asp"), std::string::npos);

  const auto jazz = directory_.add_station({"Caffè Swing", "Caffè Swing", "Jazz", 0});
  const auto news = directory_.add_station({"Radio <Libertà>", "Libertà", "Notizie", 0});
  directory_.add_station({"Radio Bottega", "Radio Bottega", "Talk", 0});
  const auto page = ask(PortKind::Mirror, 1, "/Radio/Video.asp").body;
  std::set<std::string> players;
  for (const auto &link : links_of(page))
    if (link.rfind("/Radio/mostraRadio.asp?Id=", 0) == 0)
      players.insert(link);
  EXPECT_EQ(players, (std::set<std::string>{"/Radio/mostraRadio.asp?Id=" + std::to_string(jazz),
                                            "/Radio/mostraRadio.asp?Id=" + std::to_string(news)}));
  EXPECT_NE(page.find("Radio &lt;Libert\xE0&gt;"), std::string::npos);
}

} // namespace
} // namespace station
