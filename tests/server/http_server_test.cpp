// The event-driven HTTP server by itself: slow, idle and oversized clients
// cost it nothing that a well-behaved client would notice.
#include "http_server.h"
#include "raw_client.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>

namespace station {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using test::connect_to;
using test::exchange;
using test::read_all;

const std::string kGet = "GET /page HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n";

class HttpServerTest : public ::testing::Test {
protected:
  void start(HttpServerSettings settings) {
    server_ = std::make_unique<HttpServer>(
        settings,
        [](const HttpRequest &request) {
          HttpAnswer answer;
          answer.headers = {{"Content-Type", "text/plain"}};
          answer.set_body("page " + request.path);
          if (request.path == "/late")
            answer.delay = 400ms;
          return answer;
        },
        [this](const HttpRequest &, int status) { refused_.push_back(status); });
    ASSERT_TRUE(server_->start(0));
    port_ = server_->port();
  }
  void TearDown() override {
    if (server_)
      server_->stop();
  }

  std::unique_ptr<HttpServer> server_;
  int port_ = 0;
  std::vector<int> refused_;
};

TEST_F(HttpServerTest, IdleAndTricklingClientsNeverKeepAPageFromBeingAnswered) {
  start({});
  std::vector<int> idle;
  for (int i = 0; i < 200; ++i) // more than the server keeps
    idle.push_back(connect_to(port_));
  std::vector<int> trickling;
  for (int i = 0; i < 20; ++i) {
    trickling.push_back(connect_to(port_));
    send(trickling.back(), "GET / HTTP/1.1\r\n", 16, MSG_NOSIGNAL);
  }
  for (int probe = 0; probe < 10; ++probe) {
    for (const int fd : trickling)
      send(fd, "X-A: b\r\n", 8, MSG_NOSIGNAL);
    const auto start = Clock::now();
    const auto answer = exchange(port_, kGet, 1000ms);
    ASSERT_TRUE(answer) << "probe " << probe;
    EXPECT_EQ(answer->rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
    EXPECT_NE(answer->find("\r\n\r\npage /page"), std::string::npos);
    EXPECT_LT(Clock::now() - start, 1s);
  }
  for (const int fd : idle)
    close(fd);
  for (const int fd : trickling)
    close(fd);
}

TEST_F(HttpServerTest, ARequestMustArriveWholeBeforeItsDeadline) {
  HttpServerSettings settings;
  settings.request_time = 300ms;
  start(settings);
  const int fd = connect_to(port_);
  ASSERT_GE(fd, 0);
  send(fd, "GET / HTTP/1.1\r\n", 16, MSG_NOSIGNAL);
  const auto start = Clock::now();
  // One header line every 50 ms: never idle, yet cut off.
  bool closed = false;
  while (!closed && Clock::now() - start < 3s) {
    closed = send(fd, "X-A: b\r\n", 8, MSG_NOSIGNAL) < 0;
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 50) > 0) {
      char c;
      closed = recv(fd, &c, 1, 0) <= 0;
    }
  }
  EXPECT_TRUE(closed);
  EXPECT_GE(Clock::now() - start, 250ms);
  EXPECT_LT(Clock::now() - start, 1500ms);
  close(fd);
}

TEST_F(HttpServerTest, AnOversizedHeadIsRefusedWhileTheClientIsStillSending) {
  start({});
  const int fd = connect_to(port_);
  ASSERT_GE(fd, 0);
  std::thread sender([fd] {
    const std::string lines = [] {
      std::string text = "GET / HTTP/1.1\r\n";
      while (text.size() < 64 * 1024)
        text += "X-Filler: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
      return text;
    }();
    // Up to 16 MB, until the server closes.
    for (int i = 0; i < 256; ++i)
      if (send(fd, lines.data(), lines.size(), MSG_NOSIGNAL) < 0)
        return;
  });
  const auto answer = read_all(fd, 5000ms);
  sender.join();
  close(fd);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->rfind("HTTP/1.1 431 ", 0), 0u) << answer->substr(0, 80);
  EXPECT_EQ(refused_, std::vector<int>{431});
}

TEST_F(HttpServerTest, ADelayedAnswerHoldsNobodyElse) {
  start({});
  const auto start = Clock::now();
  std::thread late([&] {
    const auto answer = exchange(port_, "GET /late HTTP/1.1\r\nHost: a\r\n\r\n", 3000ms);
    ASSERT_TRUE(answer);
    EXPECT_NE(answer->find("page /late"), std::string::npos);
    EXPECT_GE(Clock::now() - start, 400ms);
  });
  std::this_thread::sleep_for(50ms); // the late request first (not a synchronisation)
  const auto answer = exchange(port_, kGet, 1000ms);
  EXPECT_LT(Clock::now() - start, 350ms);
  ASSERT_TRUE(answer);
  late.join();
}

TEST_F(HttpServerTest, StopsListeningWhileKeepingThePortAndListensAgain) {
  start({});
  ASSERT_TRUE(server_->set_listening(false));
  EXPECT_EQ(connect_to(port_), -1);
  // Nobody else can take the port meanwhile.
  const int other = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port_));
  inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
  EXPECT_NE(bind(other, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
  close(other);
  ASSERT_TRUE(server_->set_listening(true));
  const auto answer = exchange(port_, kGet, 1000ms);
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
}

} // namespace
} // namespace station
