// What keeps one client from bending the service: clicks counted once a
// while, a newsletter share per client, the catalogue kept between changes,
// a request log with a size cap, and answers that never pass a part for the
// whole.
#include "catalogue_cache.h"
#include "click_gate.h"
#include "newsletter_gate.h"
#include "request_log.h"
#include "service.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace station {
namespace {

TEST(ClickGate, OncePerClientAndStationInTheWindow) {
  ClickGate gate(100, 3600);
  struct Step {
    std::string client;
    std::int64_t station;
    std::int64_t at;
    bool counts;
  };
  const std::vector<Step> steps = {
      {"127.0.0.1", 1, 1000, true},
      {"127.0.0.1", 1, 1001, false}, // a reload
      {"127.0.0.1", 1, 4599, false}, // the window's last second
      {"127.0.0.1", 2, 1001, true},  // another station
      {"10.0.0.2", 1, 1001, true},   // another client
      {"127.0.0.1", 1, 4600, true},  // the window has passed
      {"127.0.0.1", 1, 10, false},   // a clock set back
  };
  for (const auto &s : steps)
    EXPECT_EQ(gate.admit(s.client, s.station, s.at), s.counts)
        << s.client << " " << s.station << " @" << s.at;
}

TEST(ClickGate, AFloodOfStationsNeitherGrowsNorCountsPastItsCapacity) {
  ClickGate gate(3, 3600);
  EXPECT_TRUE(gate.admit("c", 1, 0));
  EXPECT_TRUE(gate.admit("c", 2, 0));
  EXPECT_TRUE(gate.admit("c", 3, 0));
  EXPECT_FALSE(gate.admit("c", 4, 100)); // full, all inside their window
  EXPECT_TRUE(gate.admit("c", 4, 3600));  // the first three have left it
  EXPECT_TRUE(gate.admit("c", 1, 3601));
  EXPECT_FALSE(gate.admit("c", 4, 3602)); // still inside its own window
}

TEST(NewsletterGate, AFewAddressesPerClientAndPeriod) {
  NewsletterGate gate(3, 600, 2);
  for (int i = 0; i < 3; ++i)
    EXPECT_TRUE(gate.admit("a", 100 + i)) << i;
  EXPECT_FALSE(gate.admit("a", 200));
  EXPECT_EQ(gate.wait("a", 200), 500); // until the first one is 600 s old
  EXPECT_TRUE(gate.admit("b", 200));   // another client has its own share
  EXPECT_FALSE(gate.admit("c", 200));  // no room to remember a third client
  EXPECT_TRUE(gate.admit("a", 700));
  EXPECT_EQ(gate.wait("a", 700), 1);
  EXPECT_TRUE(gate.admit("c", 900)); // old clients forgotten to make room
}

TEST(CatalogueCache, ComputedOncePerDirectoryChangeAndAtMostAMinuteOld) {
  Directory directory(":memory:");
  for (int i = 1; i <= 3; ++i)
    directory.add_station({"S" + std::to_string(i), "c", "g", 100 + i});
  CatalogueCache cache(60);
  const std::int64_t now = 1'000'000;
  const auto first = cache.body(directory, 0, now, "h:1", {});
  for (int i = 0; i < 50; ++i)
    EXPECT_EQ(cache.body(directory, 0, now + 1, "h:1", {}), first);
  EXPECT_EQ(cache.computed(), 1u);

  // Each host and edition its own page.
  EXPECT_NE(*cache.body(directory, 0, now, "h:2", {}), *first);
  EXPECT_EQ(cache.computed(), 2u);

  // A click changes the most-clicked list at once.
  const Click click{3, now};
  directory.add_clicks({&click, 1});
  const auto clicked = cache.body(directory, 0, now + 2, "h:1", {});
  EXPECT_EQ(cache.computed(), 3u);
  EXPECT_EQ(clicked->rfind("http://h:1/Radio/mostraRadio.asp?Id=3<BR>S3", 0), 0u) << *clicked;

  // A minute on, the week's window has moved: computed again.
  EXPECT_NE(cache.body(directory, 0, now + 62, "h:1", {}), clicked);
  EXPECT_EQ(cache.computed(), 4u);
}

TEST(CatalogueCache, SeesChangesMadeThroughAnotherConnection) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("catalogue-cache-" + std::to_string(getpid()) + ".db");
  std::filesystem::remove(path);
  {
    Directory service(path.string());
    Directory other(path.string());
    service.add_station({"S1", "c", "g", 1});
    CatalogueCache cache(60);
    cache.body(service, 0, 1000, "h:1", {});
    cache.body(service, 0, 1000, "h:1", {});
    EXPECT_EQ(cache.computed(), 1u);
    other.add_station({"S2", "c", "g", 2});
    // Asked again in the same second, the kept page; in the next one, the new.
    EXPECT_EQ(cache.body(service, 0, 1000, "h:1", {})->find("S2"), std::string::npos);
    const auto body = cache.body(service, 0, 1001, "h:1", {});
    EXPECT_EQ(cache.computed(), 2u);
    EXPECT_NE(body->find("S2"), std::string::npos);
  }
  std::filesystem::remove(path);
}

TEST(RequestLog, PrivateFileRotatedAtItsCap) {
  const auto folder = std::filesystem::temp_directory_path() /
                      ("request-log-" + std::to_string(getpid()));
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const auto path = folder / "requests.log";
  {
    std::ofstream old(path); // an older, world-readable log
    old << "old line\n";
  }
  std::filesystem::permissions(path, std::filesystem::perms(0644));

  RequestLog log(1000);
  std::string error;
  ASSERT_TRUE(log.open(path.string(), error)) << error;
  struct stat status{};
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);

  const LogEntry entry{std::chrono::system_clock::now(), 1, "mirror1", "GET",
                       "/" + std::string(60, 'a'), 200, ""};
  for (int i = 0; i < 100; ++i)
    log.write(entry);
  const auto size = std::filesystem::file_size(path);
  const auto rotated = std::filesystem::file_size(path.string() + ".1");
  EXPECT_LE(size, 1000u);
  EXPECT_LE(rotated, 1000u);
  EXPECT_GT(rotated, 900u);
  ASSERT_EQ(stat((path.string() + ".1").c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0600u);
  EXPECT_EQ(log.count(), 100u);
  std::filesystem::remove_all(folder);
}

TEST(RequestLog, KeepsBoundedMemoryOfLongLines) {
  RequestLog log;
  const LogEntry entry{std::chrono::system_clock::now(), 1, "mirror1", "GET",
                       "/" + std::string(5000, 'a'), 414, "refused"};
  for (int i = 0; i < 3000; ++i)
    log.write(entry);
  std::size_t bytes = 0;
  for (const auto &line : log.lines(0))
    bytes += line.size();
  EXPECT_LE(bytes, RequestLog::kKeptBytes);
  EXPECT_EQ(log.count(), 3000u);
}

HttpRequest request_with(std::vector<std::pair<std::string, std::string>> headers,
                         std::string method = "GET") {
  HttpRequest request;
  request.method = std::move(method);
  request.headers = std::move(headers);
  return request;
}

TEST(ServiceAnswer, PagesGoOutWholeGeneratedBodiesInTheirRange) {
  Reply page;
  page.body = std::string(1000, 'p');
  Reply stream;
  stream.generated = GeneratedBody{1000, [](std::uint64_t, std::size_t n, char *) { return n; }};
  struct Case {
    const Reply *reply;
    std::string range; // empty: none
    std::string method;
    int status;
    std::uint64_t offset, length;
    std::string content_range; // empty: none
  };
  const std::vector<Case> cases = {
      {&page, "", "GET", 200, 0, 1000, ""},
      {&page, "bytes=0-9", "GET", 200, 0, 1000, ""}, // never a part under 200
      {&page, "bytes=5000-", "GET", 200, 0, 1000, ""},
      {&stream, "", "GET", 200, 0, 1000, ""},
      {&stream, "bytes=10-19", "GET", 206, 10, 10, "bytes 10-19/1000"},
      {&stream, "bytes=-100", "HEAD", 206, 900, 100, "bytes 900-999/1000"},
      {&stream, "bytes=1000-", "GET", 416, 0, 0, "bytes */1000"},
      {&stream, "bytes=0-1,4-5", "GET", 200, 0, 1000, ""},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.range + " " + c.method);
    std::vector<std::pair<std::string, std::string>> headers;
    if (!c.range.empty())
      headers.emplace_back("range", c.range);
    const auto answer = Service::to_answer(*c.reply, request_with(headers, c.method));
    EXPECT_EQ(answer.status, c.status);
    EXPECT_EQ(answer.offset, c.offset);
    EXPECT_EQ(answer.length, c.length);
    EXPECT_EQ(answer.head_only, c.method == "HEAD");
    std::string content_range;
    for (const auto &[name, value] : answer.headers)
      if (name == "Content-Range")
        content_range = value;
    EXPECT_EQ(content_range, c.content_range);
  }
}

} // namespace
} // namespace station
