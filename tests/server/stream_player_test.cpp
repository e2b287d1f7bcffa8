// The player pages of imported stations: playlists resolved to their first
// stream, and a word on the page for every stream that cannot play here.
#include "pages.h"
#include "station_import.h"
#include "stream_player_page.h"
#include "stream_resolver.h"

#include <gtest/gtest.h>

#include <cctype>
#include <map>

namespace station {
namespace {

using Playlists = std::map<std::string, std::string>;

PlaylistFetch fake_fetch(const Playlists &playlists, std::vector<std::string> *asked = nullptr) {
  return [&playlists, asked](const std::string &address, std::string &error) {
    if (asked)
      asked->push_back(address);
    const auto found = playlists.find(address);
    if (found == playlists.end()) {
      error = "404";
      return std::optional<std::string>();
    }
    return std::optional<std::string>(found->second);
  };
}

struct ResolveCase {
  const char *what;
  std::string address;
  ResolvedStream expected;
};

const Playlists kPlaylists = {
    {"http://a/one.pls", "[playlist]\nFile1=http://a/live.mp3\nFile2=http://b/other.mp3\n"},
    {"http://a/outer.m3u", "#EXTM3U\nfile:///local.mp3\nhttp://a/one.pls\n"},
    {"http://a/top.m3u8", "http://a/outer.m3u\n"},
    {"http://a/loop1.m3u", "http://a/loop2.m3u\n"},
    {"http://a/loop2.m3u", "http://a/loop1.m3u\n"},
    {"http://a/d1.m3u", "http://a/d2.m3u"},
    {"http://a/d2.m3u", "http://a/d3.m3u"},
    {"http://a/d3.m3u", "http://a/d4.m3u"},
    {"http://a/d4.m3u", "http://a/d5.m3u"},
    {"http://a/d5.m3u", "http://a/end.mp3"},
    {"http://a/hls.m3u8", "#EXTM3U\n#EXT-X-TARGETDURATION:6\n#EXTINF:6,\nseg1.ts\n"},
    {"http://a/nothing.pls", "[playlist]\nFile1=rtsp://a/x\n"},
    {"http://a/to-hls.pls", "[playlist]\nFile1=http://a/hls.m3u8\n"},
};

class Resolve : public testing::TestWithParam<ResolveCase> {};

TEST_P(Resolve, FirstStreamOfThePlaylist) {
  const ResolveCase &c = GetParam();
  const ResolvedStream got = resolve_stream(c.address, fake_fetch(kPlaylists));
  EXPECT_EQ(got.address, c.expected.address);
  EXPECT_EQ(got.kind, c.expected.kind);
  EXPECT_TRUE(got.note.starts_with(c.expected.note)) << got.note;
  EXPECT_EQ(got.note.empty(), c.expected.note.empty()) << got.note;
}

INSTANTIATE_TEST_SUITE_P(
    Player, Resolve,
    testing::Values(
        ResolveCase{"direct", "http://a/live.mp3", {"http://a/live.mp3", StreamKind::Direct, ""}},
        ResolveCase{"pls", "http://a/one.pls", {"http://a/live.mp3", StreamKind::Direct, ""}},
        ResolveCase{"playlist in playlist in playlist",
                    "http://a/top.m3u8",
                    {"http://a/live.mp3", StreamKind::Direct, ""}},
        ResolveCase{"loop",
                    "http://a/loop1.m3u",
                    {"http://a/loop1.m3u", StreamKind::Unresolved, "playlists that name each other"}},
        ResolveCase{"too deep",
                    "http://a/d1.m3u",
                    {"http://a/d1.m3u", StreamKind::Unresolved, "playlists nested more than 4"}},
        ResolveCase{"hls", "http://a/hls.m3u8", {"http://a/hls.m3u8", StreamKind::Hls, ""}},
        ResolveCase{"hls behind a pls", "http://a/to-hls.pls", {"http://a/hls.m3u8", StreamKind::Hls, ""}},
        ResolveCase{"no usable entry",
                    "http://a/nothing.pls",
                    {"http://a/nothing.pls", StreamKind::Unresolved, "the playlist names no http"}},
        ResolveCase{"unreachable",
                    "http://a/gone.pls",
                    {"http://a/gone.pls", StreamKind::Unresolved, "the playlist could not be read: 404"}}),
    [](const testing::TestParamInfo<ResolveCase> &param) {
      std::string name;
      for (const char ch : std::string(param.param.what))
        name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
      return name;
    });

TEST(StreamCache, KeepsResolutionsForAWhileButNotFailures) {
  Playlists playlists = {{"http://a/one.pls", "http://a/live.mp3\n"}};
  std::vector<std::string> asked;
  StreamCache cache(fake_fetch(playlists, &asked), 600);
  EXPECT_EQ(cache.resolve("http://a/one.pls", 1000).address, "http://a/live.mp3");
  EXPECT_EQ(cache.resolve("http://a/one.pls", 1500).address, "http://a/live.mp3");
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(cache.resolve("http://a/one.pls", 1600).address, "http://a/live.mp3");
  EXPECT_EQ(asked.size(), 2u); // kept no longer than 600 s

  EXPECT_EQ(cache.resolve("http://a/late.pls", 1000).kind, StreamKind::Unresolved);
  playlists["http://a/late.pls"] = "http://a/late.mp3\n";
  EXPECT_EQ(cache.resolve("http://a/late.pls", 1001).address, "http://a/late.mp3");
}

const Station kStation{10001, "Radio & Test", "Radio & Test", "jazz, blues", 0};

TEST(StreamPlayerPage, PlaysTheStreamAndTellsWhatIsKnown) {
  const StationStream stream{"http://a/one.pls", "http://a/one.pls", "https://radio.example/?a=1&b=2",
                             "IT", "MP3", 128};
  const Reply reply =
      stream_player_reply(kStation, stream, {"http://a/live.mp3?x=1&y=2", StreamKind::Direct, {}});
  EXPECT_EQ(reply.status, 200);
  EXPECT_EQ(reply.cache_control, "no-store");
  const std::string &page = reply.body;
  EXPECT_NE(page.find("<title>Radio &amp; Test</title>"), std::string::npos);
  EXPECT_NE(page.find("<audio id=\"flusso\" autoplay controls src=\"http://a/live.mp3?x=1&amp;y=2\">"),
            std::string::npos);
  EXPECT_NE(page.find("href=\"https://radio.example/?a=1&amp;b=2\""), std::string::npos);
  EXPECT_NE(page.find("jazz, blues \xB7 Paese: IT \xB7 MP3 \xB7 128 kbit/s"), std::string::npos);
  // A stream that fails while playing gets a message instead of silence.
  EXPECT_NE(page.find("addEventListener('error'"), std::string::npos);
  EXPECT_NE(page.find("(per esempio Ogg Vorbis)"), std::string::npos);

  // Ogg alone may be Opus, which plays: it is tried.
  StationStream ogg = stream;
  ogg.codec = "OGG";
  const std::string tried = stream_player_reply(kStation, ogg, {"http://a/x", StreamKind::Direct, {}}).body;
  EXPECT_NE(tried.find("<audio id=\"flusso\" autoplay"), std::string::npos);
}

TEST(StreamPlayerPage, UnplayableStreamsGetAMessageAndNoPlayer) {
  struct Case {
    StationStream stream;
    ResolvedStream resolved;
    std::string message;
  };
  const std::vector<Case> cases = {
      {{"http://a/x", "http://a/x", "", "", "vorbis", 0}, {"http://a/x", StreamKind::Direct, {}}, "Ogg Vorbis"},
      {{"http://a/x", "http://a/x", "", "", "OGG/Vorbis", 0}, {"http://a/x", StreamKind::Direct, {}}, "Ogg Vorbis"},
      {{"http://a/h.m3u8", "http://a/h.m3u8", "", "", "AAC", 0},
       {"http://a/h.m3u8", StreamKind::Hls, {}},
       "HLS"},
      {{"http://a/p.pls", "http://a/p.pls", "", "", "", 0},
       {"http://a/p.pls", StreamKind::Unresolved, "the playlist could not be read: <404>"},
       "(the playlist could not be read: &lt;404&gt;)"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.message);
    const std::string page = stream_player_reply(kStation, c.stream, c.resolved).body;
    EXPECT_EQ(page.find("<audio"), std::string::npos);
    const auto note = page.find("<p id=\"avviso\" class=\"avviso\">");
    ASSERT_NE(note, std::string::npos);
    EXPECT_NE(page.find(c.message, note), std::string::npos);
  }
}

TEST(StreamPlayerPage, HlsPlaysThroughThePlayerScriptWhenTheServiceHasIt) {
  const StationStream stream{"http://a/h.m3u8", "http://a/h.m3u8", "", "", "AAC", 0};
  const ResolvedStream resolved{"http://a/live.m3u8?x=\"><script>1</script>&y=2", StreamKind::Hls, {}};
  const std::string page = stream_player_reply(kStation, stream, resolved, true).body;
  // The address goes in as an attribute value, escaped, never into the script's text.
  EXPECT_NE(page.find("data-hls=\"http://a/live.m3u8?x=&quot;&gt;&lt;script&gt;1&lt;/script&gt;&amp;y=2\""),
            std::string::npos);
  EXPECT_EQ(page.find("<script>1</script>"), std::string::npos);
  EXPECT_NE(page.find("<script src=\"/vendor/hls.light.min.js\"></script>"), std::string::npos);
  EXPECT_NE(page.find("Hls.Events.ERROR"), std::string::npos);
  // The message waits hidden for a fatal error of the player.
  EXPECT_NE(page.find("<p id=\"avviso\" class=\"avviso\" hidden></p>"), std::string::npos);
}

TEST(StreamPlayerPage, ImportedStationsPlayTheirStreamAndCountClicks) {
  Directory directory(":memory:");
  import_text(directory, "#EXTINF:-1,Vera Radio\nhttp://127.0.0.1:9/live.mp3\n", 1000);
  const auto id = directory.imported_stations().at(0).station.id;
  NewsStore news;
  PageContext context{directory, {}, news};
  QueryParams params{{"Id", std::to_string(id)}};
  const PageRequest request{{PortKind::Mirror, 1}, "GET", "/Radio/mostraRadio.asp", params,
                            "127.0.0.1:1", {}, 2000};
  const Reply reply = player_page(request, context);
  EXPECT_NE(reply.body.find("<title>Vera Radio</title>"), std::string::npos);
  EXPECT_NE(reply.body.find("src=\"http://127.0.0.1:9/live.mp3\""), std::string::npos);
  EXPECT_EQ(reply.body.find("/stream/"), std::string::npos);
  EXPECT_EQ(directory.click_count(id, 0, 3000), 1);
}

} // namespace
} // namespace station
