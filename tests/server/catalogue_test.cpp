// The catalogue lines and page bytes, built from small in-memory directories.
#include "catalogue.h"
#include "cp1252.h"
#include "directory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace station {
namespace {

constexpr std::int64_t kNow = 1'700'000'000;
constexpr std::int64_t kDay = 86400;
const std::string kRoot = "http://127.0.0.1:47803";

// Lines of record r (1-based) of list 1 or list 3.
std::vector<std::string> record(const std::vector<std::string> &lines, int list, int r) {
  const std::size_t first = static_cast<std::size_t>((list == 1 ? 0 : 60) + (r - 1) * 4);
  return {lines.begin() + static_cast<long>(first), lines.begin() + static_cast<long>(first + 4)};
}

std::vector<std::string> split_on_br(const std::string &body) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  while (true) {
    const auto at = body.find("<BR>", pos);
    parts.push_back(body.substr(pos, at == std::string::npos ? std::string::npos : at - pos));
    if (at == std::string::npos)
      return parts;
    pos = at + 4;
  }
}

// A directory of `count` stations "S1".."Sn"; station i was created i days
// ago (so S1 is the newest) and clicked clicks[i-1] times within the week.
void fill(Directory &directory, int count, const std::vector<int> &clicks) {
  for (int i = 1; i <= count; ++i)
    directory.add_station({"S" + std::to_string(i), "C" + std::to_string(i), "G",
                           kNow - i * kDay});
  std::vector<Click> all;
  for (std::size_t i = 0; i < clicks.size(); ++i)
    for (int k = 0; k < clicks[i]; ++k)
      all.push_back({static_cast<std::int64_t>(i) + 1, kNow - kDay - k});
  directory.add_clicks(all);
}

struct ListCase {
  const char *name;
  int stations;
  std::vector<int> clicks;            // per station, within the week
  std::vector<std::string> list1;     // names of records 1.. of list 1
  std::vector<std::string> list3;     // names of records 1.. of list 3
};

class CatalogueLists : public ::testing::TestWithParam<ListCase> {};

TEST_P(CatalogueLists, RecordsInTheirSlotsAndEmptyLinesForMissingOnes) {
  const auto &c = GetParam();
  Directory directory(":memory:");
  fill(directory, c.stations, c.clicks);
  const auto lines = catalogue_lines(load_catalogue(directory, 0, kNow, "127.0.0.1:47803", {}));
  ASSERT_EQ(lines.size(), 124u);

  for (int list : {1, 3}) {
    const auto &names = list == 1 ? c.list1 : c.list3;
    for (int r = 1; r <= 15; ++r) {
      SCOPED_TRACE("list " + std::to_string(list) + " record " + std::to_string(r));
      const auto fields = record(lines, list, r);
      if (r <= static_cast<int>(names.size())) {
        const auto &name = names[static_cast<std::size_t>(r - 1)];
        const std::string id = name.substr(1);
        EXPECT_EQ(fields[0], kRoot + "/Radio/mostraRadio.asp?Id=" + id);
        EXPECT_EQ(fields[1], name);
        EXPECT_EQ(fields[2], "C" + id);
        EXPECT_EQ(fields[3], "G");
      } else {
        EXPECT_EQ(fields, std::vector<std::string>(4));
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CatalogueLists,
    ::testing::Values(
        ListCase{"Empty", 0, {}, {}, {}},
        // Three stations: list 1 by clicks (an unclicked station is left
        // out); list 3 oldest first, so the newest takes the highest slot.
        ListCase{"Three", 3, {2, 0, 5}, {"S3", "S1"}, {"S3", "S2", "S1"}},
        // Equal counts go by increasing id.
        ListCase{"Ties", 4, {1, 3, 3, 1}, {"S2", "S3", "S1", "S4"}, {"S4", "S3", "S2", "S1"}},
        // Twenty stations: both lists cut to fifteen; list 3 holds the
        // fifteen newest (S1..S15), oldest of them first.
        ListCase{"Twenty",
                 20,
                 {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20},
                 {"S20", "S19", "S18", "S17", "S16", "S15", "S14", "S13", "S12", "S11", "S10",
                  "S9", "S8", "S7", "S6"},
                 {"S15", "S14", "S13", "S12", "S11", "S10", "S9", "S8", "S7", "S6", "S5", "S4",
                  "S3", "S2", "S1"}}),
    [](const auto &test_case) { return std::string(test_case.param.name); });

TEST(CatalogueWindow, OnlyClicksOfTheLastSevenDaysCount) {
  Directory directory(":memory:");
  fill(directory, 3, {});
  const std::int64_t edge = kNow - kMostClickedWindow;
  // S1: many clicks just before the window; S2: one on its first second;
  // S3: one now; clicks after now are not counted.
  std::vector<Click> clicks(10, Click{1, edge - 1});
  clicks.push_back({2, edge});
  clicks.push_back({3, kNow});
  clicks.insert(clicks.end(), 5, Click{1, kNow + 1});
  directory.add_clicks(clicks);
  const auto lines = catalogue_lines(load_catalogue(directory, 0, kNow, "h:1", {}));
  EXPECT_EQ(record(lines, 1, 1)[1], "S2");
  EXPECT_EQ(record(lines, 1, 2)[1], "S3");
  EXPECT_EQ(record(lines, 1, 3)[1], "");
}

TEST(CatalogueTrailer, EditionFieldsWithPlaceholdersOnLines121To124) {
  Directory directory(":memory:");
  directory.set_trailer(25, {"Onde {x}", "http://{product}/s.html", "Palinsesto",
                             "http://{mirror}/p"});
  const Placeholders sites{{"product", "127.0.0.1:47810"}};
  const auto lines = catalogue_lines(load_catalogue(directory, 25, kNow, "m6:47806", sites));
  ASSERT_EQ(lines.size(), 124u);
  EXPECT_EQ(lines[120], "Onde {x}");
  EXPECT_EQ(lines[121], "http://127.0.0.1:47810/s.html");
  EXPECT_EQ(lines[122], "Palinsesto");
  EXPECT_EQ(lines[123], "http://m6:47806/p");
  // An edition without settings has four empty fields.
  const auto generic = catalogue_lines(load_catalogue(directory, 7, kNow, "m", sites));
  EXPECT_EQ(std::vector<std::string>(generic.begin() + 120, generic.end()),
            std::vector<std::string>(4));
}

TEST(CatalogueBody, LinesJoinedByUpperCaseBrInWindows1252) {
  CatalogueInput input;
  input.player_root = kRoot;
  input.most_clicked = {{7, "Radio Città", "Città", "Pop"}, {8, "€uro – “Dance”", "€", ""}};
  input.trailer.partner_name = "Onde Italiane";
  const auto body = catalogue_body(catalogue_lines(input));

  const auto parts = split_on_br(body);
  ASSERT_EQ(parts.size(), 124u);
  EXPECT_EQ(body.find("<br>"), std::string::npos);
  EXPECT_EQ(body.find('\n'), std::string::npos);
  EXPECT_EQ(parts[0], kRoot + "/Radio/mostraRadio.asp?Id=7");
  EXPECT_EQ(parts[1], "Radio Citt\xE0");
  EXPECT_EQ(parts[5], "\x80uro \x96 \x93" "Dance\x94");
  EXPECT_EQ(parts[120], "Onde Italiane");
  EXPECT_EQ(parts[123], "");
  EXPECT_EQ(body.substr(body.size() - 4), "<BR>"); // the empty last field
}

TEST(CatalogueBody, ShiftedBodyMovesEveryFieldOneLineDown) {
  CatalogueInput input;
  input.player_root = kRoot;
  input.most_clicked = {{1, "A", "a", "x"}};
  const auto lines = catalogue_lines(input);
  const auto parts = split_on_br(catalogue_body(lines, true));
  ASSERT_EQ(parts.size(), 125u);
  EXPECT_EQ(parts[0], "");
  EXPECT_EQ(parts[2], "A");
}

TEST(CatalogueFields, NoFieldCanBreakOrSplitALine) {
  struct Case {
    std::string in, out;
  };
  const std::vector<Case> cases = {
      {"Radio<BR>Due", "RadioBRDue"},
      {"a\r\nb\tc", "a  b c"},
      {"<b>bold</b>", "bbold/b"},
      {"Caffè & Co.", "Caffè & Co."},
      {std::string("nul\0x", 5), "nul x"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(clean_field(c.in), c.out) << c.in;

  CatalogueInput input;
  input.player_root = kRoot;
  input.most_clicked = {{1, "A<BR>B\r\nC", "<BR1><BR2>", "x"}};
  EXPECT_EQ(split_on_br(catalogue_body(catalogue_lines(input))).size(), 124u);
}

TEST(CataloguePlaceholders, KnownNamesReplacedOthersKept) {
  const Placeholders values{{"mirror", "m:1"}, {"sister", "s:4"}};
  struct Case {
    const char *in, *out;
  };
  for (const auto &c : std::vector<Case>{{"http://{mirror}/x", "http://m:1/x"},
                                         {"{sister}{mirror}", "s:4m:1"},
                                         {"{unknown}/{mirror}", "{unknown}/m:1"},
                                         {"open { only", "open { only"},
                                         {"{{mirror}}", "{m:1}"},
                                         {"", ""}})
    EXPECT_EQ(expand_placeholders(c.in, values), c.out) << c.in;
}

} // namespace
} // namespace station
