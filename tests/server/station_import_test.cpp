// Stations imported into the directory: what is kept of them, matching by
// stream address, names that stay apart, and the demo directory.
#include "catalogue.h"
#include "import_reader.h"
#include "import_transaction.h"
#include "seed.h"
#include "station_import.h"

#include <gtest/gtest.h>

namespace station {
namespace {

constexpr std::int64_t kNow = 1'700'000'000;

std::string fixture_path(const std::string &name) { return std::string(IMPORT_FIXTURES) + "/" + name; }


std::vector<std::string> names(Directory &directory) {
  std::vector<std::string> out;
  for (const auto &s : directory.imported_stations())
    out.push_back(s.station.name);
  return out;
}

TEST(StationImport, JsonStationKeepsWhatItsPageShows) {
  Directory directory(":memory:");
  const ImportReport report = import_file(directory, fixture_path("stations.json"), kNow);
  EXPECT_EQ(report.error, "");
  EXPECT_EQ(report.added, 2u);
  std::vector<std::string> refused;
  for (const auto &r : report.refusals)
    refused.push_back(r.where + ": " + r.reason);
  EXPECT_EQ(report.refused, 3u);
  EXPECT_EQ(refused, (std::vector<std::string>{"station 2: no stream address",
                                               "station 3: not a station object",
                                               "station 4: not an http or https address"}));

  const auto stations = directory.imported_stations();
  ASSERT_EQ(stations.size(), 2u);
  const ImportedStation &uno = stations[0];
  EXPECT_GE(uno.station.id, kFirstImportedId);
  EXPECT_EQ(uno.station.name, "Radio Uno Test");
  EXPECT_EQ(uno.station.caption, "Radio Uno Test");
  EXPECT_EQ(uno.station.genre, "pop, rock, news");
  EXPECT_EQ(uno.station.created_at, kNow);
  EXPECT_EQ(uno.stream, (StationStream{"http://127.0.0.1:9/uno.pls", "http://127.0.0.1:9/uno.mp3",
                                        "https://uno.example/", "IT", "MP3", 128}));
  // No name: the host names it. A codec keeps no markup.
  EXPECT_EQ(stations[1].station.name, "127.0.0.1");
  EXPECT_EQ(stations[1].stream.codec, "AAC+script");
  EXPECT_EQ(stations[1].stream.bitrate, 0);
  EXPECT_EQ(directory.stream(uno.station.id), uno.stream);
}

TEST(StationImport, SameFileTwiceChangesNothing) {
  for (const char *file : {"cp1252.m3u", "utf8.m3u8", "stations.pls", "stations.json"}) {
    SCOPED_TRACE(file);
    Directory directory(":memory:");
    const ImportReport first = import_file(directory, fixture_path(file), kNow);
    ASSERT_GT(first.added, 0u);
    const auto before = directory.imported_stations();
    const int count = directory.station_count();

    const ImportReport second = import_file(directory, fixture_path(file), kNow + 3600);
    EXPECT_EQ(second.added, 0u);
    EXPECT_EQ(second.updated, 0u);
    EXPECT_EQ(second.unchanged, first.added);
    EXPECT_EQ(second.refused, first.refused);
    EXPECT_EQ(directory.station_count(), count);
    const auto after = directory.imported_stations();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
      EXPECT_EQ(after[i].station.id, before[i].station.id);
      EXPECT_EQ(after[i].station.name, before[i].station.name);
      EXPECT_EQ(after[i].station.created_at, before[i].station.created_at);
      EXPECT_EQ(after[i].stream, before[i].stream);
    }
  }
}

TEST(StationImport, ShippedSamplesImportWhole) {
  for (const char *file : {"stations.m3u8", "stations.pls", "stations.json"}) {
    SCOPED_TRACE(file);
    Directory directory(":memory:");
    const ImportReport report = import_file(directory, std::string(SAMPLES_DIR) + "/" + file, kNow);
    EXPECT_EQ(report.error, "");
    EXPECT_GE(report.added, 2u);
    EXPECT_EQ(report.refused, 0u);
    for (const auto &s : directory.imported_stations()) {
      EXPECT_EQ(s.station.caption, s.station.name); // short enough for the row
      EXPECT_TRUE(s.stream.stream.starts_with("http://127.0.0.1:47801/stream/"));
    }
  }
}

TEST(StationImport, ChangedEntryUpdatesTheStationItMatches) {
  Directory directory(":memory:");
  import_text(directory, "#EXTINF:-1,Primo\nhttp://a/1\n#EXTINF:-1,Secondo\nhttp://a/2\n", kNow);
  const auto first = directory.imported_stations();
  ASSERT_EQ(first.size(), 2u);
  const Click click{first[1].station.id, kNow + 10};
  directory.add_clicks({&click, 1});

  const ImportReport report = import_text(
      directory, "#EXTINF:-1,Secondo Nuovo\nhttp://a/2\n#EXTINF:-1,Terzo\nhttp://a/3\n", kNow + 100);
  EXPECT_EQ(report.added, 1u);
  EXPECT_EQ(report.updated, 1u);
  const auto second = directory.stream(first[1].station.id);
  ASSERT_TRUE(second);
  const auto renamed = directory.station(first[1].station.id);
  EXPECT_EQ(renamed->name, "Secondo Nuovo");
  EXPECT_EQ(renamed->created_at, kNow); // still as new as when it came
  EXPECT_EQ(directory.click_count(first[1].station.id, 0, kNow + 100), 1);
  // A station the file no longer names stays.
  EXPECT_EQ(names(directory), (std::vector<std::string>{"Primo", "Secondo Nuovo", "Terzo"}));
}

TEST(StationImport, NamesStayApartAndAddressesOnce) {
  Directory directory(":memory:");
  const std::string text = "#EXTINF:-1,Onda\nhttp://a/1\n#EXTINF:-1,ONDA\nhttp://a/2\n"
                           "#EXTINF:-1,Onda\nhttp://a/3\n#EXTINF:-1,Altra\nhttp://a/1\n"
                           "#EXTINF:-1,   \nhttp://a/4\n";
  const ImportReport report = import_text(directory, text, kNow);
  EXPECT_EQ(names(directory), (std::vector<std::string>{"Onda", "ONDA (2)", "Onda (3)", "a"}));
  ASSERT_EQ(report.refusals.size(), 1u);
  EXPECT_EQ(report.refusals[0].where, "line 8");
  EXPECT_EQ(report.refusals[0].reason, "the same stream address as line 2");

  const ImportReport again = import_text(directory, text, kNow);
  EXPECT_EQ(again.unchanged, 4u);
  EXPECT_EQ(again.updated, 0u);
}

TEST(StationImport, NamesNeverReadAsSignalsOfThePlayerPage) {
  Directory directory(":memory:");
  import_text(directory,
              "#EXTINF:-1,Caricamento\nhttp://a/1\n#EXTINF:-1,RADIO:-Falsa\nhttp://a/2\n"
              "#EXTINF:-1,radio:-\nhttp://a/3\n#EXTINF:-1,Radio: Vera\nhttp://a/4\n",
              kNow);
  EXPECT_EQ(names(directory), (std::vector<std::string>{"Radio Caricamento", "RADIO: -Falsa",
                                                        "radio: -", "Radio: Vera"}));
}

TEST(StationImport, LongNameGetsACaptionThatFitsTheRow) {
  Directory directory(":memory:");
  import_text(directory, "#EXTINF:-1,Radio Musica Classica Italiana Sempre e Ovunque<BR>\nhttp://a/\n",
              kNow);
  const auto s = directory.imported_stations().at(0).station;
  EXPECT_EQ(s.name, "Radio Musica Classica Italiana Sempre e OvunqueBR");
  EXPECT_EQ(s.caption, "Radio Musica\xE2\x80\xA6");
}

TEST(StationImport, FirstImportReplacesTheDemoAndKeepsTheEditions) {
  Directory directory(":memory:");
  ASSERT_TRUE(seed_if_new(directory, kNow - 86400));
  const Trailer partner = directory.trailer(kPartnerEdition);
  ASSERT_FALSE(partner.partner_name.empty());

  import_text(directory, "#EXTINF:-1,Vera\nhttp://a/1\n", kNow);
  EXPECT_EQ(directory.station_count(), 1);
  EXPECT_FALSE(directory.holds_demo());
  EXPECT_EQ(directory.click_count(0, 0, kNow), 0);
  EXPECT_EQ(directory.trailer(kPartnerEdition), partner);
  // The service's next start neither seeds again nor adds demo clicks.
  EXPECT_FALSE(seed_if_new(directory, kNow + 8 * 86400));
  EXPECT_EQ(directory.station_count(), 1);

  // Lists come from real use: new from the import, most clicked from plays.
  const auto id = directory.imported_stations().at(0).station.id;
  const CatalogueInput empty = load_catalogue(directory, 0, kNow + 60, "127.0.0.1:1", {});
  EXPECT_TRUE(empty.most_clicked.empty());
  ASSERT_EQ(empty.newest.size(), 1u);
  EXPECT_EQ(empty.newest[0].name, "Vera");
  const Click click{id, kNow + 30};
  directory.add_clicks({&click, 1});
  const CatalogueInput played = load_catalogue(directory, 0, kNow + 60, "127.0.0.1:1", {});
  ASSERT_EQ(played.most_clicked.size(), 1u);
  EXPECT_EQ(played.most_clicked[0].id, id);
}

TEST(StationImport, NewDirectoryGetsItsEditionsAndNoDemo) {
  Directory directory(":memory:");
  import_text(directory, "http://a/1\n", kNow);
  EXPECT_EQ(directory.station_count(), 1);
  EXPECT_FALSE(directory.trailer(kPartnerEdition).partner_name.empty());
}

TEST(StationImport, UnusableFileWritesNothing) {
  Directory directory(":memory:");
  seed_if_new(directory, kNow);
  const int count = directory.station_count();
  for (const std::string &text : {std::string("[{\"url\":\"http://a/1\"},"), std::string("[[[[")}) {
    const ImportReport report = import_text(directory, text, kNow);
    EXPECT_NE(report.error, "");
    EXPECT_EQ(report.added, 0u);
  }
  // Only refusals: the demo stays too.
  const ImportReport refused = import_text(directory, "ftp://a/\n", kNow);
  EXPECT_EQ(refused.refused, 1u);
  EXPECT_EQ(directory.station_count(), count);
  EXPECT_TRUE(directory.holds_demo());
}

TEST(StationImport, WriteIsAllOrNothing) {
  Directory directory(":memory:");
  seed_if_new(directory, kNow);
  const int count = directory.station_count();
  const Station one{0, "Uno", "Uno", "", kNow};
  const StationStream stream{"http://a/1", "http://a/1", "", "", "", 0};
  EXPECT_THROW(directory.import_transaction([&](ImportTransaction &transaction) {
    transaction.drop_demo();
    transaction.add(one, stream);
    transaction.add(one, stream); // the same address again
  }),
               DirectoryError);
  EXPECT_EQ(directory.station_count(), count);
  EXPECT_TRUE(directory.holds_demo());
  EXPECT_TRUE(directory.imported_stations().empty());
}

TEST(StationImport, ManyRefusalsAreCountedAndTheFirstListed) {
  Directory directory(":memory:");
  std::string text;
  for (std::size_t i = 0; i < kMaxListedRefusals + 5; ++i)
    text += "ftp://a/" + std::to_string(i) + "\n";
  text += "http://a/ok\n";
  const ImportReport report = import_text(directory, text, kNow);
  EXPECT_EQ(report.added, 1u);
  EXPECT_EQ(report.refused, kMaxListedRefusals + 5);
  EXPECT_EQ(report.refusals.size(), kMaxListedRefusals);
  EXPECT_EQ(report.refusals.front().where, "line 1");
  EXPECT_NE(report_text("x.m3u", report).find("  and 5 more refused\n"), std::string::npos);
}

TEST(StationImport, ManyStationsOfOneNameStayApart) {
  Directory directory(":memory:");
  std::string text;
  for (int i = 0; i < 300; ++i)
    text += "#EXTINF:-1,Radio\nhttp://a/" + std::to_string(i) + "\n";
  EXPECT_EQ(import_text(directory, text, kNow).added, 300u);
  const auto stations = directory.imported_stations();
  EXPECT_EQ(stations.front().station.name, "Radio");
  EXPECT_EQ(stations.back().station.name, "Radio (300)");
  EXPECT_EQ(import_text(directory, text, kNow).unchanged, 300u);
}

TEST(StationImport, ReportSaysWhatHappenedAndWhy) {
  ImportReport report;
  report.added = 2;
  report.unchanged = 1;
  report.refused = 1;
  report.refusals = {{"line 4", "not an http or https address"}};
  EXPECT_EQ(report_text("list.m3u", report),
            "list.m3u: 2 added, 0 updated, 1 unchanged, 1 refused\n"
            "  refused line 4: not an http or https address\n");
  report.error = "not valid JSON at byte 3";
  EXPECT_EQ(report_text("list.json", report), "list.json: nothing imported: not valid JSON at byte 3\n");
}

} // namespace
} // namespace station
