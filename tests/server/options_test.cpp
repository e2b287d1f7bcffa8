// The service's command line.
#include "options.h"

#include <gtest/gtest.h>

namespace station {
namespace {

ParsedOptions parse(std::vector<std::string_view> args) { return parse_options(args); }

TEST(Options, Defaults) {
  const auto parsed = parse({});
  ASSERT_EQ(parsed.error, "");
  const std::array<int, kPortCount> ports{47801, 47802, 47803, 47804, 47805,
                                          47806, 47810, 47811, 47812, 47813};
  EXPECT_EQ(parsed.options.ports, ports);
  EXPECT_EQ(parsed.options.slow_ms, 20000);
  EXPECT_FALSE(parsed.options.control);
  EXPECT_EQ(parsed.options.news_feeds, ""); // sample news only, no network
  EXPECT_EQ(parsed.options.news_interval_s, 900);
}

TEST(Options, NewsFeedsAndTheirInterval) {
  const auto parsed = parse({"--news-feeds", "/etc/sintonia/feeds.txt", "--news-interval=60"});
  ASSERT_EQ(parsed.error, "");
  EXPECT_EQ(parsed.options.news_feeds, "/etc/sintonia/feeds.txt");
  EXPECT_EQ(parsed.options.news_interval_s, 60);
  EXPECT_NE(usage_text().find("--news-feeds FILE"), std::string::npos);
}

TEST(Options, PortsFaultsAndPaths) {
  const auto parsed = parse({"--port-base", "48800", "--site-ports=1,2,3,0", "--db", "/tmp/x.db",
                             "--log=/tmp/l", "--fault", "2=refuse", "--fault", "site3=slow",
                             "--fault=mirror6=title", "--slow-ms", "250", "--control",
                             "--ready-file", "/tmp/r", "--exit-with-parent"});
  ASSERT_EQ(parsed.error, "");
  const auto &o = parsed.options;
  const std::array<int, kPortCount> ports{48801, 48802, 48803, 48804, 48805, 48806, 1, 2, 3, 0};
  EXPECT_EQ(o.ports, ports);
  EXPECT_EQ(o.db_path, "/tmp/x.db");
  EXPECT_EQ(o.log_path, "/tmp/l");
  EXPECT_EQ(o.ready_file, "/tmp/r");
  EXPECT_EQ(o.slow_ms, 250);
  EXPECT_TRUE(o.control);
  EXPECT_TRUE(o.exit_with_parent);
  ASSERT_EQ(o.faults.size(), 3u);
  EXPECT_EQ(o.faults[0].endpoint, (Endpoint{PortKind::Mirror, 2}));
  EXPECT_EQ(o.faults[0].mode, FaultMode::Refuse);
  EXPECT_EQ(o.faults[1].endpoint, (Endpoint{PortKind::Site, 3}));
  EXPECT_EQ(o.faults[1].mode, FaultMode::Slow);
  EXPECT_EQ(o.faults[2].mode, FaultMode::Title);
}

TEST(Options, BadCommandLinesAreRefusedWithAReason) {
  const std::vector<std::vector<std::string_view>> bad = {
      {"--mirror-ports", "1,2,3"},
      {"--mirror-ports", "1,2,3,4,5,x"},
      {"--mirror-ports", "1,2,3,4,5,65536"},
      {"--site-ports", "1,2,3,4,5"},
      {"--mirror-ports", "0,0,0,0,0,0", "--site-ports", "5,6,7,5"},
      {"--port-base", "65530"},
      {"--port-base", "-1"},
      {"--fault", "7=refuse"},
      {"--fault", "1=explode"},
      {"--fault", "refuse"},
      {"--slow-ms", "600001"},
      {"--news-feeds"},
      {"--news-feeds="},
      {"--news-interval", "9"},
      {"--news-interval", "86401"},
      {"--news-interval", "15m"},
      {"--db"},
      {"--db="},
      {"--frobnicate", "1"},
  };
  for (const auto &args : bad) {
    const auto parsed = parse(args);
    EXPECT_NE(parsed.error, "") << args[0] << (args.size() > 1 ? args[1] : "");
  }
}

TEST(Options, DefaultDirectoryPath) {
  EXPECT_EQ(default_db_path("/x/data", "/home/u"), "/x/data/sintonia-station-service/stations.db");
  EXPECT_EQ(default_db_path(nullptr, "/home/u"),
            "/home/u/.local/share/sintonia-station-service/stations.db");
  EXPECT_EQ(default_db_path("relative", "/home/u"),
            "/home/u/.local/share/sintonia-station-service/stations.db");
}

} // namespace
} // namespace station
