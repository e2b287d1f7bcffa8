// The service as a process under the attacks a web page or a local program
// can make on a loopback service: requests without end, slow and idle
// connections, requests for other host names and from other sites, partial
// pages, a newsletter flood. Each test fails against a service that lacks
// its guard (SINTONIA_TEST_SERVICE names another binary to try).
#include "directory.h"
#include "newsletter_gate.h"
#include "raw_client.h"
#include "service_process.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

namespace station {
namespace {

using namespace std::chrono_literals;
using test::body_of;
using test::connect_to;
using test::exchange;
using test::gzip_of_zeros;
using test::ServiceProcess;
using test::status_of;
using Clock = std::chrono::steady_clock;

constexpr long kMemoryLimitKb = 64 * 1024;
const std::string kCatalogue = "/Radio/CaricaDati.asp?id=25&idRadio=0";
const std::string kNewsletter = "/radio/SegnalaIndirizzo.asp";

std::string get_request(const std::string &target, const std::string &host,
                        const std::string &extra = "") {
  return "GET " + target + " HTTP/1.1\r\nHost: " + host + "\r\n" + extra + "\r\n";
}

std::string post_request(const std::string &target, const std::string &host,
                         const std::string &form, const std::string &extra = "") {
  return "POST " + target + " HTTP/1.1\r\nHost: " + host +
         "\r\nContent-Type: application/x-www-form-urlencoded\r\nContent-Length: " +
         std::to_string(form.size()) + "\r\n" + extra + "\r\n" + form;
}

// A field of /proc/<pid>/status in kB ("VmHWM": the peak resident size).
long status_kb(pid_t pid, const std::string &field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(in, line);)
    if (line.starts_with(field + ":"))
      return std::stol(line.substr(field.size() + 1));
  return -1;
}

// Sends the prefix, then the filler again and again up to `total` bytes,
// until the service stops taking them.
void flood(int port, const std::string &prefix, const std::string &filler, std::size_t total) {
  const int fd = connect_to(port);
  if (fd < 0)
    return;
  timeval limit{10, 0};
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
  std::size_t sent = 0;
  bool open = send(fd, prefix.data(), prefix.size(), MSG_NOSIGNAL) >= 0;
  while (open && sent < total) {
    const auto n = send(fd, filler.data(), filler.size(), MSG_NOSIGNAL);
    open = n > 0;
    sent += open ? static_cast<std::size_t>(n) : 0;
  }
  test::read_all(fd, 2000ms);
  close(fd);
}

class Hardened : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    service_ = new ServiceProcess();
    std::string error;
    started_ = service_->start({"--control"}, error);
    start_error_ = error;
  }
  static void TearDownTestSuite() {
    if (service_ && started_) {
      EXPECT_EQ(service_->stop(), 0);
    }
    delete service_;
    service_ = nullptr;
  }
  void SetUp() override { ASSERT_TRUE(started_) << start_error_; }

  static int port(int index) { return service_->port(index); }
  static std::string host(int index) { return "127.0.0.1:" + std::to_string(port(index)); }

  // The catalogue of every mirror, each within a second.
  static void expect_catalogues_in_time(const std::string &when) {
    for (int mirror = 0; mirror < 6; ++mirror) {
      const auto start = Clock::now();
      const auto answer = exchange(port(mirror), get_request(kCatalogue, host(mirror)), 1000ms);
      EXPECT_TRUE(answer && status_of(*answer) == 200)
          << when << ": mirror " << mirror + 1 << " did not answer in time";
      EXPECT_LT(Clock::now() - start, 1s) << when;
    }
  }

  static ServiceProcess *service_;
  static bool started_;
  static std::string start_error_;
};

ServiceProcess *Hardened::service_ = nullptr;
bool Hardened::started_ = false;
std::string Hardened::start_error_;

TEST_F(Hardened, RequestsWithoutEndCostNoMemory) {
  const std::string catalogue_head =
      "GET " + kCatalogue + " HTTP/1.1\r\nHost: " + host(0) + "\r\n";
  const std::string header_lines = [] {
    std::string text;
    while (text.size() < 64 * 1024)
      text += "X-Pad: aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\r\n";
    return text;
  }();
  // Three connections at once, 65 MiB of small header lines each.
  std::vector<std::thread> senders;
  for (int i = 0; i < 3; ++i)
    senders.emplace_back([&] { flood(port(0), catalogue_head, header_lines, 65u << 20); });
  for (auto &sender : senders)
    sender.join();
  expect_catalogues_in_time("after the header lines");

  flood(port(1), "GET /", std::string(64 * 1024, 'a'), 256u << 20); // a request line
  const std::string chunk = "10000\r\n" + std::string(0x10000, 'a') + "\r\n";
  flood(port(2),
        "POST " + kNewsletter + " HTTP/1.1\r\nHost: " + host(2) +
            "\r\nTransfer-Encoding: chunked\r\nContent-Type: application/x-www-form-urlencoded\r\n\r\n",
        chunk, 256u << 20);
  const auto bomb = gzip_of_zeros(512u << 20);
  flood(port(3),
        "POST " + kNewsletter + " HTTP/1.1\r\nHost: " + host(3) +
            "\r\nContent-Encoding: gzip\r\nContent-Type: application/x-www-form-urlencoded"
            "\r\nContent-Length: " +
            std::to_string(bomb.size()) + "\r\n\r\n",
        bomb, bomb.size());
  expect_catalogues_in_time("after the floods");

  const long peak = status_kb(service_->pid(), "VmHWM");
  ASSERT_GT(peak, 0);
  EXPECT_LT(peak, kMemoryLimitKb) << "peak resident size " << peak << " kB";
  // Refused, each with its status, and logged.
  for (const auto &answer :
       {exchange(port(4), "GET /" + std::string(10000, 'a') + " HTTP/1.1\r\n\r\n", 2000ms),
        exchange(port(4),
                 "POST " + kNewsletter + " HTTP/1.1\r\nHost: " + host(4) +
                     "\r\nContent-Encoding: gzip\r\nContent-Length: " +
                     std::to_string(bomb.size()) + "\r\n\r\n",
                 2000ms)}) {
    ASSERT_TRUE(answer);
    EXPECT_TRUE(status_of(*answer) == 414 || status_of(*answer) == 415) << answer->substr(0, 40);
  }
}

TEST_F(Hardened, SlowAndIdleConnectionsSilenceNoPort) {
  // 200 idle connections on mirror 1, and on every mirror eight that send
  // one header line a second, as slowly as a server lets them.
  std::vector<int> idle;
  for (int i = 0; i < 200; ++i)
    idle.push_back(connect_to(port(0)));
  std::vector<int> trickling;
  for (int mirror = 0; mirror < 6; ++mirror)
    for (int i = 0; i < 8; ++i) {
      trickling.push_back(connect_to(port(mirror)));
      const auto head = "GET " + kCatalogue + " HTTP/1.1\r\n";
      send(trickling.back(), head.data(), head.size(), MSG_NOSIGNAL);
    }
  for (int second = 0; second < 5; ++second) {
    for (const int fd : trickling)
      send(fd, "X-Slow: 1\r\n", 11, MSG_NOSIGNAL);
    const auto start = Clock::now();
    expect_catalogues_in_time("second " + std::to_string(second));
    std::this_thread::sleep_until(start + 1s); // the attackers' pace, not a synchronisation
  }
  for (const int fd : idle)
    close(fd);
  for (const int fd : trickling)
    close(fd);
}

TEST_F(Hardened, OnlyItsOwnHostNamesAndNoControlFromOtherSites) {
  const std::string mirror = host(0);
  const std::string product = host(6);
  struct Case {
    std::string name;
    int port;
    std::string request;
    int status;
  };
  const std::vector<Case> cases = {
      {"catalogue for another host", 0, get_request(kCatalogue, "attacker.example"), 421},
      {"... with the port", 0,
       get_request(kCatalogue, "attacker.example:" + std::to_string(port(0))), 421},
      {"catalogue by address", 0, get_request(kCatalogue, mirror), 200},
      {"catalogue by localhost", 0,
       get_request(kCatalogue, "localhost:" + std::to_string(port(0))), 200},
      {"catalogue by a .test name", 0,
       get_request(kCatalogue, "m1.sintonia.test:" + std::to_string(port(0))), 200},
      {"control for another host", 6, get_request("/_control/faults", "attacker.example"), 421},
      {"control from another site", 6,
       get_request("/_control/faults", product, "Origin: http://attacker.example\r\n"), 403},
      {"control referred by another site", 6,
       get_request("/_control/fault?mirror=1&mode=refuse", product,
                   "Referer: http://attacker.example/page.html\r\n"),
       403},
      {"control from a sandboxed page", 6,
       get_request("/_control/faults", product, "Origin: null\r\n"), 403},
      {"control from its own page", 6,
       get_request("/_control/faults", product, "Origin: http://" + product + "\r\n"), 200},
      {"form of another site", 0,
       post_request(kNewsletter, mirror, "email=victim%40example.it",
                    "Origin: http://attacker.example\r\n"),
       403},
      {"form of its own page", 0, // reaches the page, which finds no address
       post_request(kNewsletter, mirror, "email=nobody", "Origin: http://" + mirror + "\r\n"),
       400},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    const auto answer = exchange(port(c.port), c.request, 2000ms);
    ASSERT_TRUE(answer);
    EXPECT_EQ(status_of(*answer), c.status) << answer->substr(0, 200);
    EXPECT_EQ(answer->find("attacker.example"), std::string::npos);
  }
  // Mirror 1 was never switched off from the other site.
  EXPECT_EQ(status_of(*exchange(port(0), get_request(kCatalogue, mirror), 2000ms)), 200);
  Directory directory(service_->db_file().string());
  EXPECT_FALSE(directory.subscribed("victim@example.it"));
}

TEST_F(Hardened, ARangeOfAPageGetsTheWholePageOrA206) {
  for (const std::string &target : {kCatalogue, std::string("/Radio/mostraRadio.asp?Id=9001")}) {
    SCOPED_TRACE(target);
    const auto whole = exchange(port(0), get_request(target, host(0)), 2000ms);
    ASSERT_TRUE(whole);
    const auto ranged =
        exchange(port(0), get_request(target, host(0), "Range: bytes=0-9\r\n"), 2000ms);
    ASSERT_TRUE(ranged);
    if (status_of(*ranged) == 206) {
      EXPECT_NE(ranged->find("Content-Range: bytes 0-9/"), std::string::npos);
      EXPECT_EQ(body_of(*ranged), body_of(*whole).substr(0, 10));
    } else {
      EXPECT_EQ(status_of(*ranged), 200);
      EXPECT_EQ(body_of(*ranged), body_of(*whole));
    }
  }
}

TEST_F(Hardened, OneClientCannotFillTheNewsletter) {
  int added = 0;
  int refused = 0;
  for (int i = 0; i < 30; ++i) {
    const auto answer = exchange(
        port(1), post_request(kNewsletter, host(1), "email=flood" + std::to_string(i) + "%40example.it"),
        2000ms);
    ASSERT_TRUE(answer);
    if (status_of(*answer) == 200)
      ++added;
    else if (status_of(*answer) == 429 &&
             answer->find("<title>Troppe iscrizioni</title>") != std::string::npos)
      ++refused;
  }
  EXPECT_EQ(added, kNewsletterPerClient);
  EXPECT_EQ(refused, 30 - kNewsletterPerClient);
  Directory directory(service_->db_file().string());
  EXPECT_TRUE(directory.subscribed("flood0@example.it"));
  EXPECT_FALSE(directory.subscribed("flood29@example.it"));
  // An address already there is still welcome.
  const auto again = exchange(port(1), post_request(kNewsletter, host(1), "email=flood0%40example.it"), 2000ms);
  ASSERT_TRUE(again);
  EXPECT_EQ(status_of(*again), 200);
}

TEST_F(Hardened, PagesOfOtherSitesCountNoClick) {
  // Radio Semaforo (id 38): a player page that other sites load as an image
  // or link to shows as always, and counts nothing.
  const std::string player = "/Radio/mostraRadio.asp?Id=38";
  auto clicks = [] {
    Directory directory(service_->db_file().string());
    return directory.click_count(38, 0, INT64_MAX);
  };
  const auto before = clicks();
  for (const std::string header :
       {"Sec-Fetch-Site: cross-site\r\nSec-Fetch-Dest: image\r\n",
        "Referer: http://attacker.example/page.html\r\n", "Origin: http://attacker.example\r\n"}) {
    const auto answer = exchange(port(5), get_request(player, host(5), header), 2000ms);
    ASSERT_TRUE(answer);
    EXPECT_EQ(status_of(*answer), 200) << header;
  }
  EXPECT_EQ(clicks(), before);
  // The client's own pane opening it counts.
  ASSERT_TRUE(exchange(port(5), get_request(player, host(5), "Sec-Fetch-Site: none\r\n"), 2000ms));
  EXPECT_EQ(clicks(), before + 1);
}

TEST_F(Hardened, DirectoryAndLogAreTheUsersOwn) {
  for (const auto &path : {service_->db_file(), service_->log_file()}) {
    struct stat status{};
    ASSERT_EQ(stat(path.c_str(), &status), 0) << path;
    EXPECT_EQ(status.st_mode & 0077, 0u) << path;
  }
}

TEST(HardenedLife, NamesGivenOnTheCommandLineAreAnswered) {
  ServiceProcess service;
  std::string error;
  ASSERT_TRUE(service.start({"--host-name", "Radio.Example.org"}, error)) << error;
  const auto port = std::to_string(service.port(0));
  const auto named = exchange(service.port(0), get_request(kCatalogue, "radio.example.org:" + port), 2000ms);
  ASSERT_TRUE(named);
  EXPECT_EQ(status_of(*named), 200);
  EXPECT_EQ(body_of(*named).rfind("http://radio.example.org:" + port + "/Radio/mostraRadio.asp?Id=", 0), 0u);
  const auto other = exchange(service.port(0), get_request(kCatalogue, "example.org:" + port), 2000ms);
  ASSERT_TRUE(other);
  EXPECT_EQ(status_of(*other), 421);
  EXPECT_EQ(service.stop(), 0);
}

} // namespace
} // namespace station
