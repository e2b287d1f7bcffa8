// The three import readers over small fixtures, and the text and address
// rules every imported station goes through.
#include "import_reader.h"
#include "import_text.h"
#include "playlist_reader.h"
#include "station_json_reader.h"
#include "stream_address.h"

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace station {
namespace {

std::string fixture(const std::string &name) {
  std::ifstream in(std::string(IMPORT_FIXTURES) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct Expected {
  std::string where;
  std::string name;
  std::string address;
};

struct ReaderCase {
  const char *file;
  std::vector<Expected> entries;
  std::vector<std::string> refused_where;
};

class ReaderFixtures : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderFixtures, EntriesAndRefusals) {
  const ReaderCase &c = GetParam();
  const ReadResult read = read_import_text(fixture(c.file));
  EXPECT_EQ(read.error, "");
  ASSERT_EQ(read.entries.size(), c.entries.size());
  for (std::size_t i = 0; i < c.entries.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read.entries[i].where, c.entries[i].where);
    EXPECT_EQ(read.entries[i].name, c.entries[i].name);
    EXPECT_EQ(read.entries[i].address, c.entries[i].address);
  }
  std::vector<std::string> refused;
  for (const auto &r : read.refused)
    refused.push_back(r.where);
  EXPECT_EQ(refused, c.refused_where);
}

INSTANTIATE_TEST_SUITE_P(
    Import, ReaderFixtures,
    testing::Values(
        // Windows-1252 bytes are read as such; a bare address has no name.
        ReaderCase{"cp1252.m3u",
                   {{"line 3", "Caff\xC3\xA8 Jazz", "http://127.0.0.1:9/jazz.mp3"},
                    {"line 6", "", "http://127.0.0.1:9/bare"},
                    {"line 8", "Ignoto", "file:///music/song.mp3"},
                    {"line 10", "Onda <BR>Verde", "HTTPS://Example.org/live stream"}},
                   {}},
        // UTF-8 with a byte order mark; a comma inside a quoted attribute
        // does not start the title.
        ReaderCase{"utf8.m3u8",
                   {{"line 3", "Radio Citt\xC3\xA0 \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC",
                     "http://127.0.0.1:9/citta"},
                    {"line 5", "", "http://127.0.0.1:9/noname"}},
                   {}},
        // Entries in the order of their numbers; a title without a file is refused.
        ReaderCase{"stations.pls",
                   {{"line 5", "First", "http://127.0.0.1:9/one"},
                    {"line 3", "Second", "http://127.0.0.1:9/two"}},
                   {"entry 3"}},
        // Objects only; unknown and nested fields are left aside.
        ReaderCase{"stations.json",
                   {{"station 1", "Radio Uno Test", "http://127.0.0.1:9/uno.pls"},
                    {"station 2", "Senza indirizzo", ""},
                    {"station 4", "Ftp", "ftp://127.0.0.1/x"},
                    {"station 5", "", "http://127.0.0.1:9/due"}},
                   {"station 3"}}));

TEST(StationJson, ScalarIsNoList) {
  const ReadResult read = read_station_json("42");
  EXPECT_EQ(read.error, "expected a JSON array of stations");
  EXPECT_TRUE(read.entries.empty());
}

TEST(StationJson, TakesTheDirectoryFields) {
  const ReadResult read = read_station_json(fixture("stations.json"));
  ASSERT_EQ(read.entries.size(), 4u);
  const ImportEntry &uno = read.entries[0];
  EXPECT_EQ(uno.resolved, "http://127.0.0.1:9/uno.mp3");
  EXPECT_EQ(uno.homepage, "https://uno.example/");
  EXPECT_EQ(uno.tags, "pop,,rock , news,jazz");
  EXPECT_EQ(uno.country, "it");
  EXPECT_EQ(uno.codec, "MP3");
  EXPECT_EQ(uno.bitrate, 128);
  EXPECT_EQ(read.entries[1].bitrate, 0); // a string is no bitrate
  EXPECT_EQ(read.entries[3].bitrate, 0); // nor a negative number
}

struct BadInput {
  const char *what;
  std::string text;
  std::string error; // start of the whole file's error; empty: none
  std::size_t entries;
  std::size_t refused;
};

class BadImports : public testing::TestWithParam<BadInput> {};

TEST_P(BadImports, RefusedWithAReason) {
  const BadInput &c = GetParam();
  ReadLimits limits;
  limits.max_entries = 3;
  const ReadResult read = read_import_text(c.text, limits);
  EXPECT_TRUE(read.error.starts_with(c.error)) << read.error;
  EXPECT_EQ(c.error.empty(), read.error.empty()) << read.error;
  EXPECT_EQ(read.entries.size(), c.entries);
  EXPECT_EQ(read.refused.size(), c.refused);
  for (const auto &r : read.refused)
    EXPECT_FALSE(r.reason.empty());
}

std::string deep_json(int depth) {
  return "[" + std::string(static_cast<std::size_t>(depth), '[') +
         std::string(static_cast<std::size_t>(depth), ']') + "]";
}

INSTANTIATE_TEST_SUITE_P(
    Import, BadImports,
    testing::Values(
        BadInput{"json nested 10000 deep", deep_json(10000), "nested deeper than", 0, 0},
        BadInput{"json top-level object", R"({"name":"x","url":"http://a/"})",
                 "expected a JSON array", 0, 0},
        BadInput{"json cut short", R"([{"name":"x","url":"http://a/"},{"name":)",
                 "not valid JSON", 0, 0},
        BadInput{"json invalid UTF-8", "[{\"name\":\"\xC3\x28\",\"url\":\"http://a/\"}]",
                 "not valid JSON", 0, 0},
        BadInput{"json with NUL", std::string("[{\"name\":\"a\0b\",\"url\":\"http://a/\"}]", 29),
                 "not valid JSON", 0, 0},
        BadInput{"json too many", R"([{},{},{},{},{}])", "", 3, 1},
        BadInput{"m3u too many", "http://a/1\nhttp://a/2\nhttp://a/3\nhttp://a/4\nhttp://a/5\n",
                 "", 3, 1},
        BadInput{"m3u line of 1 MB",
                 "#EXTINF:-1," + std::string(1 << 20, 'x') + "\nhttp://a/1\nhttp://a/2\n", "", 2,
                 1},
        BadInput{"m3u NUL bytes", std::string("#EXTINF:-1,a\0b\nhttp://a/\0x\n", 26), "", 1, 0},
        BadInput{"pls too many",
                 "[playlist]\nFile1=http://a/1\nFile2=http://a/2\nFile3=http://a/3\nFile4=http://a/4\n",
                 "", 3, 1},
        BadInput{"pls file twice", "[Playlist]\nfile1=http://a/1\nFILE1=http://a/2\n", "", 1, 1},
        BadInput{"pls huge number", "[playlist]\nFile99999999999999999999=http://a/1\n", "", 0, 0},
        BadInput{"empty", "", "", 0, 0}),
    [](const testing::TestParamInfo<BadInput> &param) {
      std::string name;
      for (const char c : std::string(param.param.what))
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
      return name;
    });

TEST(ImportFile, RefusesALargeFileUnread) {
  const std::string path = testing::TempDir() + "/large-import.m3u";
  {
    std::ofstream out(path, std::ios::binary);
    out << "http://a/1\n";
  }
  std::filesystem::resize_file(path, 100u << 20); // sparse: nothing is written
  const ReadResult read = read_import_file(path);
  EXPECT_NE(read.error.find("larger than 64 MB"), std::string::npos) << read.error;
  EXPECT_TRUE(read.entries.empty());
  std::filesystem::remove(path);

  EXPECT_NE(read_import_file(testing::TempDir() + "/no-such-file.m3u").error, "");
  EXPECT_NE(read_import_file(testing::TempDir()).error, ""); // a folder
}

struct CleanCase {
  std::string given;
  std::string cleaned;
};

class CleanText : public testing::TestWithParam<CleanCase> {};

TEST_P(CleanText, FitsTheCatalogue) {
  EXPECT_EQ(clean_text(GetParam().given, 20), GetParam().cleaned);
}

INSTANTIATE_TEST_SUITE_P(
    Import, CleanText,
    testing::Values(CleanCase{"  Radio   Uno  ", "Radio Uno"},
                    CleanCase{"Onda <BR>Verde", "Onda BRVerde"},
                    CleanCase{"Città \xE2\x82\xAC \xE2\x80\x93 ok", "Città \xE2\x82\xAC \xE2\x80\x93 ok"},
                    CleanCase{"Tokyo \xE6\x9D\xB1\xE4\xBA\xAC FM", "Tokyo FM"},
                    CleanCase{std::string("a\0b\x01\x7F" "c\xC2\x85", 8), "abc"},
                    CleanCase{"bad \xC3\x28 byte", "bad ( byte"},
                    CleanCase{"one two three four five six", "one two three four"},
                    CleanCase{"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst"},
                    CleanCase{"\xE6\x9D\xB1\xE4\xBA\xAC", ""}));

TEST(Caption, ShortNamesStayLongNamesAreCutAtAWord) {
  EXPECT_EQ(fit_caption("Radio Uno"), "Radio Uno");
  const std::string cut = fit_caption("Radio Musica Classica Italiana Sempre");
  EXPECT_EQ(cut, "Radio Musica\xE2\x80\xA6");
  EXPECT_LE(row_text_width(cut), kCaptionPixels);
  const std::string word = fit_caption("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
  EXPECT_TRUE(word.ends_with("\xE2\x80\xA6"));
  EXPECT_LE(row_text_width(word), kCaptionPixels);
  EXPECT_GT(word.size(), 3u);
}

TEST(Genre, FirstThreeTags) {
  EXPECT_EQ(genre_from_tags("pop,,rock , news,jazz"), "pop, rock, news");
  EXPECT_EQ(genre_from_tags(""), "");
  EXPECT_LE(genre_from_tags(std::string(500, 'x')).size(), kMaxGenreChars);
}

struct AddressCase {
  std::string given;
  std::string address; // empty: refused
};

class Addresses : public testing::TestWithParam<AddressCase> {};

TEST_P(Addresses, OnlyHttpAndHttps) {
  const AddressCheck check = check_address(GetParam().given);
  EXPECT_EQ(check.address, GetParam().address);
  EXPECT_EQ(check.error.empty(), !GetParam().address.empty()) << check.error;
}

INSTANTIATE_TEST_SUITE_P(
    Import, Addresses,
    testing::Values(AddressCase{" http://127.0.0.1:8000/live ", "http://127.0.0.1:8000/live"},
                    AddressCase{"HTTPS://Example.org/a b", "https://Example.org/a%20b"},
                    AddressCase{"http://example.org/città\"x", "http://example.org/citt%C3%A0%22x"},
                    AddressCase{"ftp://example.org/", ""}, AddressCase{"file:///etc/passwd", ""},
                    AddressCase{"javascript:alert(1)", ""}, AddressCase{"rtsp://a/", ""},
                    AddressCase{"/relative/path.mp3", ""}, AddressCase{"http://", ""},
                    AddressCase{"http://user@host/", ""}, AddressCase{"", ""},
                    AddressCase{std::string("http://a/\0b", 11), ""},
                    AddressCase{"http://a/" + std::string(3000, 'x'), ""}));

TEST(Addresses, PlaylistsByTheEndOfThePath) {
  EXPECT_TRUE(names_playlist("http://a/listen.pls"));
  EXPECT_TRUE(names_playlist("http://a/x/LIVE.M3U?sid=1"));
  EXPECT_TRUE(names_playlist("https://a/b.m3u8#x"));
  EXPECT_FALSE(names_playlist("http://a/stream.mp3"));
  EXPECT_FALSE(names_playlist("http://radio.pls/"));
  EXPECT_FALSE(names_playlist("http://a/?file=x.pls"));
}

} // namespace
} // namespace station
