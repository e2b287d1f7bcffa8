// The SQLite directory and the demo seed.
#include "catalogue.h"
#include "directory.h"
#include "seed.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>

namespace station {
namespace {

constexpr std::int64_t kNow = 1'700'000'000;
constexpr std::int64_t kWeek = 7 * 86400;

TEST(DemoSeed, FirstStartWritesTheDemoDirectoryOnce) {
  Directory directory(":memory:");
  EXPECT_TRUE(seed_if_new(directory, kNow));
  const int stations = directory.station_count();
  EXPECT_GE(stations, 40);
  const auto clicks = directory.click_count(0, 0, kNow);
  EXPECT_FALSE(seed_if_new(directory, kNow + 60));
  EXPECT_EQ(directory.station_count(), stations);
  EXPECT_EQ(directory.click_count(0, 0, kNow + 60), clicks);
}

TEST(DemoSeed, BothListsFullWithDistinctNamesAndAccentedLetters) {
  Directory directory(":memory:");
  seed_if_new(directory, kNow);
  const auto top = directory.most_clicked(kNow - kWeek, kNow, 15);
  const auto fresh = directory.newest(15);
  ASSERT_EQ(top.size(), 15u);
  ASSERT_EQ(fresh.size(), 15u);

  std::set<std::string> names;
  bool accented = false;
  for (int id = 1; id <= directory.station_count(); ++id) {
    const auto s = directory.station(id);
    ASSERT_TRUE(s);
    EXPECT_TRUE(names.insert(s->name).second) << s->name;
    EXPECT_FALSE(s->caption.empty());
    EXPECT_LE(s->caption.size(), 20u) << s->caption; // fits a list row
    EXPECT_LE(s->created_at, kNow);
    accented = accented || s->name.find("à") != std::string::npos;
  }
  EXPECT_TRUE(accented);
  // The week's ranking is not the all-time one: it is a ranking of the week.
  const auto all_time = directory.most_clicked(0, kNow, 15);
  std::vector<std::int64_t> week_ids, all_ids;
  for (const auto &s : top)
    week_ids.push_back(s.id);
  for (const auto &s : all_time)
    all_ids.push_back(s.id);
  EXPECT_NE(week_ids, all_ids);
  // The newest list is ordered by creation date.
  for (std::size_t i = 1; i < fresh.size(); ++i)
    EXPECT_GE(fresh[i - 1].created_at, fresh[i].created_at);
}

TEST(DemoSeed, SameClockSameDirectory) {
  Directory a(":memory:"), b(":memory:");
  seed_if_new(a, kNow);
  seed_if_new(b, kNow);
  const auto lines_a = catalogue_lines(load_catalogue(a, 25, kNow, "h", {}));
  const auto lines_b = catalogue_lines(load_catalogue(b, 25, kNow, "h", {}));
  EXPECT_EQ(lines_a, lines_b);
  EXPECT_EQ(lines_a[120], "Onde Italiane");
}

TEST(DemoSeed, AWeekWithoutClicksGetsAFreshDemoWeek) {
  Directory directory(":memory:");
  seed_if_new(directory, kNow);
  const std::int64_t later = kNow + 30 * 86400;
  ASSERT_EQ(directory.click_count(0, later - kWeek, later), 0);
  EXPECT_FALSE(seed_if_new(directory, later));
  EXPECT_EQ(directory.most_clicked(later - kWeek, later, 15).size(), 15u);
}

TEST(DirectoryFile, KeepsItsContentAcrossReopening) {
  char pattern[] = "/tmp/station-directory-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path dir = pattern;
  const auto path = (dir / "stations.db").string();
  {
    Directory directory(path);
    directory.add_station({"Radio Città", "Città", "Pop", kNow});
    directory.set_trailer(25, {"P", "S", "C", "U"});
  }
  {
    Directory directory(path);
    EXPECT_EQ(directory.station_count(), 1);
    EXPECT_EQ(directory.station(1)->name, "Radio Città");
    EXPECT_EQ(directory.trailer(25), (Trailer{"P", "S", "C", "U"}));
  }
  std::filesystem::remove_all(dir);
}

TEST(DirectorySearch, AnyFieldAsciiCaseFoldedWildcardsLiteral) {
  Directory directory(":memory:");
  for (const auto *name : {"Radio 100% Jazz", "Radio_Uno", "Caffè Notte", "Onda Blu"})
    directory.add_station({name, name, std::string(name) == "Onda Blu" ? "Blues" : "", kNow});
  auto names = [&](const std::string &text) {
    std::vector<std::string> found;
    for (const auto &s : directory.search(text, 10))
      found.push_back(s.name);
    return found;
  };
  using Names = std::vector<std::string>;
  EXPECT_EQ(names(""), (Names{"Caffè Notte", "Onda Blu", "Radio 100% Jazz", "Radio_Uno"}));
  EXPECT_EQ(names("RADIO"), (Names{"Radio 100% Jazz", "Radio_Uno"}));
  EXPECT_EQ(names("blu"), (Names{"Onda Blu"})); // name and genre, found once
  EXPECT_EQ(names("caffè"), (Names{"Caffè Notte"}));
  EXPECT_EQ(names("%"), (Names{"Radio 100% Jazz"}));
  EXPECT_EQ(names("_"), (Names{"Radio_Uno"}));
  EXPECT_EQ(names("o_U"), (Names{"Radio_Uno"}));
  EXPECT_EQ(names("\\"), Names{});
  EXPECT_EQ(names("' OR 1=1 --"), Names{});
  EXPECT_EQ(directory.search("", 2).size(), 2u);
}

TEST(DirectoryNewsletter, EachAddressOnceAndNoMoreThanTheLimit) {
  Directory directory(":memory:");
  using S = Directory::Subscription;
  EXPECT_EQ(directory.subscribe("anna@example.it", kNow, 2), S::Added);
  EXPECT_EQ(directory.subscribe("ANNA@Example.IT", kNow, 2), S::AlreadyThere);
  EXPECT_TRUE(directory.subscribed("Anna@example.it"));
  EXPECT_EQ(directory.subscribe("luca@example.it", kNow, 2), S::Added);
  EXPECT_EQ(directory.subscribe("sara@example.it", kNow, 2), S::ListFull);
  EXPECT_FALSE(directory.subscribed("sara@example.it"));
  EXPECT_EQ(directory.subscribe("luca@example.it", kNow, 2), S::AlreadyThere);
}

TEST(DirectoryFile, UnopenablePathThrows) {
  EXPECT_THROW(Directory("/nonexistent-dir/sub/stations.db"), DirectoryError);
}

} // namespace
} // namespace station
