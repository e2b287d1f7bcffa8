// Downloads of news feeds and their background refresh, against small feed
// sites on 127.0.0.1 that each test starts itself.
#include "news_fetch.h"
#include "news_refresher.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <future>

namespace station {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::string feed_of(const std::vector<std::string> &titles) {
  std::string items;
  for (const auto &title : titles)
    items += "<item><title>" + title + "</title></item>";
  return "<rss version=\"2.0\"><channel><title>Sito di prova</title>" + items + "</channel></rss>";
}

// An HTTP site whose routes are set before it listens.
class FeedSite {
public:
  explicit FeedSite(const std::function<void(httplib::Server &)> &routes) {
    routes(server_);
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] {
      server_.listen_after_bind();
      done_ = true;
    });
  }
  ~FeedSite() {
    // A stop before the server runs would be lost.
    while (!server_.is_running() && !done_)
      std::this_thread::yield();
    server_.stop();
    thread_.join();
  }
  std::string url(const std::string &path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

private:
  httplib::Server server_;
  int port_ = -1;
  std::atomic<bool> done_{false};
  std::thread thread_;
};

// A port that takes connections (into its backlog) and never answers.
class SilentSite {
public:
  SilentSite() {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
    socklen_t size = sizeof address;
    if (bind(listener_, reinterpret_cast<sockaddr *>(&address), size) == 0 &&
        listen(listener_, 8) == 0 &&
        getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &size) == 0)
      port_ = ntohs(address.sin_port);
  }
  ~SilentSite() {
    for (const int client : clients_)
      close(client);
    close(listener_);
  }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/feed.xml"; }
  // Whether a client connected within `timeout`.
  bool wait_for_client(std::chrono::milliseconds timeout) {
    pollfd ready{listener_, POLLIN, 0};
    if (poll(&ready, 1, static_cast<int>(timeout.count())) != 1)
      return false;
    const int client = accept(listener_, nullptr, nullptr);
    if (client >= 0)
      clients_.push_back(client);
    return client >= 0;
  }

private:
  int listener_ = -1;
  int port_ = 0;
  std::vector<int> clients_;
};

// A port nothing listens on.
int closed_port() {
  SilentSite site;
  const auto url = site.url();
  return std::stoi(url.substr(url.rfind(':') + 1));
}

FetchLimits quick_limits() {
  FetchLimits limits;
  limits.connect_timeout = 2s;
  limits.read_timeout = 2s;
  limits.total_time = 10s;
  limits.max_bytes = 4096;
  return limits;
}

TEST(FeedDownload, AnswersRedirectsAndRefusals) {
  const std::string good = feed_of({"Buone notizie"});
  FeedSite site([&](httplib::Server &server) {
    server.Get("/ok", [&](const auto &, auto &response) {
      response.set_content(good, "application/rss+xml");
    });
    server.Get("/big", [](const auto &, auto &response) {
      response.set_content(std::string(5000, 'x'), "application/rss+xml");
    });
    server.Get("/packed", [](const auto &, auto &response) { // sent compressed: small on the wire
      response.set_content(std::string(100000, ' '), "text/xml");
    });
    server.Get("/stream", [](const auto &, auto &response) { // no length given
      response.set_chunked_content_provider("application/rss+xml", [](std::size_t, auto &sink) {
        const std::string piece(1000, 'x');
        return sink.write(piece.data(), piece.size()); // never ends by itself
      });
    });
    server.Get("/r1", [](const auto &, auto &response) { response.set_redirect("/r2", 302); });
    server.Get("/r2", [&](const auto &request, auto &response) {
      response.set_redirect("http://127.0.0.1:" + std::to_string(request.local_port) + "/dir/a",
                            301);
    });
    server.Get("/dir/a",
               [](const auto &, auto &response) { response.set_redirect("ok?x=1", 307); });
    server.Get("/dir/ok", [&](const auto &, auto &response) {
      response.set_content(good, "application/rss+xml");
    });
    server.Get("/loop", [](const auto &, auto &response) { response.set_redirect("/loop", 302); });
    server.Get("/nowhere", [](const auto &, auto &response) { response.status = 302; });
    server.Get("/error", [](const auto &, auto &response) { response.status = 500; });
  });

  struct Case {
    std::string url;
    std::string body;  // expected on success
    std::string error; // expected start of the error otherwise
  };
  const std::vector<Case> cases = {
      {site.url("/ok"), good, ""},
      {site.url("/r1"), good, ""}, // three redirects: absolute, rooted and relative
      {site.url("/big"), "", "larger than 4096 bytes"},
      {site.url("/packed"), "", "larger than 4096 bytes"},
      {site.url("/stream"), "", "larger than 4096 bytes"},
      {site.url("/loop"), "", "more than 3 redirects"},
      {site.url("/nowhere"), "", "HTTP status 302"},
      {site.url("/error"), "", "HTTP status 500"},
      {site.url("/missing"), "", "HTTP status 404"},
      {"http://127.0.0.1:" + std::to_string(closed_port()) + "/", "", "cannot connect"},
      {"https" + site.url("/ok").substr(4), "", "download failed"}, // not a TLS server
      {"file:///etc/passwd", "", "not an http(s) address"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.url);
    FetchCancel cancel;
    const auto result = fetch_feed(c.url, quick_limits(), cancel);
    EXPECT_EQ(result.error.substr(0, c.error.size()), c.error) << result.error;
    EXPECT_EQ(result.body, c.body);
  }
}

TEST(FeedDownload, ServerThatNeverAnswersTimesOut) {
  SilentSite silent;
  auto limits = quick_limits();
  limits.read_timeout = 300ms;
  FetchCancel cancel;
  const auto start = Clock::now();
  const auto result = fetch_feed(silent.url(), limits, cancel);
  const auto took = Clock::now() - start;
  EXPECT_EQ(result.error, "no answer within 300 ms");
  EXPECT_GE(took, 250ms);
  EXPECT_LT(took, 3s);
}

// A feed site whose answer the test changes between rounds.
class ChangingFeed {
public:
  ChangingFeed()
      : site_([this](httplib::Server &server) {
          server.Get("/calcio.xml", [this](const auto &, auto &response) {
            const std::lock_guard lock(mutex_);
            response.status = status_;
            response.set_content(body_, "application/rss+xml");
          });
        }) {}
  void answer(int status, const std::string &body) {
    const std::lock_guard lock(mutex_);
    status_ = status;
    body_ = body;
  }
  std::string url() const { return site_.url("/calcio.xml"); }

private:
  std::mutex mutex_;
  int status_ = 200;
  std::string body_;
  FeedSite site_; // last: it answers only while the fields above exist
};

class Reports {
public:
  NewsRefresher::Report sink() {
    return [this](const std::string &text) {
      const std::lock_guard lock(mutex_);
      all_ += text + "\n";
    };
  }
  std::string all() {
    const std::lock_guard lock(mutex_);
    return all_;
  }

private:
  std::mutex mutex_;
  std::string all_;
};

std::vector<std::string> titles(const NewsStore &store, int category) {
  std::vector<std::string> out;
  for (const auto &headline : *store.headlines(category))
    out.push_back(headline.title);
  return out;
}

TEST(NewsRefresh, PicksUpAGoodFeedAndKeepsItWhenTheFeedFails) {
  ChangingFeed feed;
  feed.answer(200, feed_of({"Gol al novantesimo", "Rigore parato"}));
  NewsStore store;
  store.set_sample(5, {{"Esempio", "", ""}});
  const std::string refused = "http://127.0.0.1:" + std::to_string(closed_port()) + "/x.xml";

  Reports reports;
  RefreshSettings settings;
  settings.interval = 10ms;
  settings.fetch = quick_limits();
  NewsRefresher refresher(store, {{5, feed.url()}, {5, refused}, {6, feed.url()}}, settings,
                          reports.sink());
  const auto next_rounds = [&] { // a whole round that began after now
    return refresher.wait_for_rounds(refresher.rounds() + 2, 10s);
  };

  ASSERT_TRUE(refresher.wait_for_rounds(1, 10s));
  const std::vector<std::string> good = {"Gol al novantesimo", "Rigore parato"};
  EXPECT_EQ(titles(store, 5), good);
  EXPECT_EQ(titles(store, 6), good);
  EXPECT_NE(reports.all().find("news feed " + refused + " (category 5): cannot connect"),
            std::string::npos)
      << reports.all();

  const std::vector<std::pair<int, std::string>> failures = {
      {200, "<rss><channel><item><title>Mezza noti"}, // cut short
      {200, "<html><body>Manutenzione</body></html>"},
      {503, ""},
  };
  for (const auto &[status, body] : failures) {
    feed.answer(status, body);
    ASSERT_TRUE(next_rounds());
    EXPECT_EQ(titles(store, 5), good) << body;
  }
  const auto said = reports.all();
  for (const std::string reason : {"not well-formed", "not an RSS or Atom", "HTTP status 503"})
    EXPECT_NE(said.find("(category 5): " + reason), std::string::npos) << reason;

  feed.answer(200, feed_of({"Nuova classifica"}));
  ASSERT_TRUE(next_rounds());
  EXPECT_EQ(titles(store, 5), std::vector<std::string>{"Nuova classifica"});
}

TEST(NewsRefresh, StopsPromptlyWhileWaitingOrDownloading) {
  ChangingFeed feed;
  feed.answer(200, feed_of({"Una"}));
  NewsStore store;
  RefreshSettings waiting;
  waiting.interval = 1h;
  NewsRefresher idle(store, {{1, feed.url()}}, waiting);
  ASSERT_TRUE(idle.wait_for_rounds(1, 10s));
  auto start = Clock::now();
  idle.stop();
  EXPECT_LT(Clock::now() - start, 1s);

  SilentSite silent;
  RefreshSettings slow;
  slow.fetch.read_timeout = 30s;
  Reports reports;
  auto busy = std::make_unique<NewsRefresher>(store, std::vector<FeedSource>{{1, silent.url()}},
                                              slow, reports.sink());
  ASSERT_TRUE(silent.wait_for_client(5s));
  start = Clock::now();
  busy->stop();
  EXPECT_LT(Clock::now() - start, 1s);
  EXPECT_EQ(busy->rounds(), 0u);
  EXPECT_EQ(reports.all(), ""); // a stop is no failure of the feed
  EXPECT_EQ(titles(store, 1), std::vector<std::string>{"Una"});
}

} // namespace
} // namespace station
