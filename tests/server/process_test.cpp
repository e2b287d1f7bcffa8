// The service as a process: its pages over HTTP on the ten ports, the fault
// switches, the request log, start-up and clean stop.
#include "cp1252.h"
#include "directory.h"
#include "news_samples.h"
#include "pages.h"
#include "service_process.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <future>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>

namespace station {
namespace {

using test::ServiceProcess;
using namespace std::chrono_literals;

const std::string kAccess = "/radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25&Radio=0";
const std::string kCatalogue = "/Radio/CaricaDati.asp?id=25&idRadio=0";
const std::string kBanner = "/Radio/radio.asp?dettaglio=25&Radio=0";

// Address-file positions.
constexpr int kMirror1 = 0, kMirror2 = 1, kMirror3 = 2, kMirror4 = 3, kMirror5 = 4, kMirror6 = 5;
constexpr int kProduct = 6;

httplib::Result get(int port, const std::string &target, const httplib::Headers &headers = {},
                    const char *method = "GET") {
  httplib::Client client("127.0.0.1", port);
  client.set_connection_timeout(2, 0);
  client.set_read_timeout(30, 0);
  client.set_decompress(false);
  httplib::Request request;
  request.method = method;
  request.path = target;
  request.headers = headers;
  return client.send(request);
}

httplib::Result post_form(int port, const std::string &target, const std::string &form) {
  httplib::Client client("127.0.0.1", port);
  client.set_connection_timeout(2, 0);
  client.set_read_timeout(30, 0);
  return client.Post(target.c_str(), form, "application/x-www-form-urlencoded");
}

// Rising zero crossings per second of 16-bit mono samples at `rate`.
double tone_of(const std::string &samples, int rate) {
  int rising = 0;
  int previous = 0;
  const std::size_t count = samples.size() / 2;
  for (std::size_t i = 0; i < count; ++i) {
    const auto low = static_cast<unsigned char>(samples[2 * i]);
    const auto high = static_cast<unsigned char>(samples[2 * i + 1]);
    const int value = static_cast<std::int16_t>(low | high << 8);
    rising += i > 0 && previous < 0 && value >= 0;
    previous = value;
  }
  return rising * static_cast<double>(rate) / static_cast<double>(count);
}

int count_of(const std::string &text, const std::string &part) {
  int n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

// Whether another program could bind the port now (without SO_REUSEADDR).
bool port_free(int port) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
  const bool bound = bind(s, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
  close(s);
  return bound;
}

std::string title_of(const std::string &page) {
  const auto open = page.find("<title>");
  const auto close = page.find("</title>");
  if (open == std::string::npos || close == std::string::npos || close < open)
    return "(no title)";
  return page.substr(open + 7, close - open - 7);
}

std::vector<std::string> split(const std::string &text, const std::string &separator) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  while (true) {
    const auto at = text.find(separator, pos);
    parts.push_back(text.substr(pos, at == std::string::npos ? std::string::npos : at - pos));
    if (at == std::string::npos)
      return parts;
    pos = at + separator.size();
  }
}

std::vector<std::vector<std::string>> log_records(const std::string &text) {
  std::vector<std::vector<std::string>> records;
  for (const auto &line : split(text, "\n"))
    if (!line.empty())
      records.push_back(split(line, "\t"));
  return records;
}

// One service for the whole suite: mirror 2 refused and mirror 3 with the
// title fault from the command line; every port chosen by the system.
class StationService : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    service_ = new ServiceProcess();
    std::string error;
    started_ = service_->start({"--fault", "2=refuse", "--fault", "mirror3=title", "--control"},
                               error);
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
  static std::string control(const std::string &query) {
    const auto result = get(port(kProduct), "/_control/" + query);
    return result ? std::to_string(result->status) + " " + result->body : "no answer";
  }

  static ServiceProcess *service_;
  static bool started_;
  static std::string start_error_;
};

ServiceProcess *StationService::service_ = nullptr;
bool StationService::started_ = false;
std::string StationService::start_error_;

TEST_F(StationService, AnnouncesTenDistinctLoopbackAddresses) {
  ASSERT_EQ(service_->addresses().size(), 10u);
  std::set<int> ports;
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(service_->addresses()[static_cast<std::size_t>(i)].rfind("127.0.0.1:", 0), 0u);
    ports.insert(port(i));
  }
  EXPECT_EQ(ports.size(), 10u);
  std::string expected = "ready mirrors=";
  for (int i = 0; i < 10; ++i)
    expected += (i == 6 ? " sites=" : i == 0 ? "" : ",") + std::to_string(port(i));
  EXPECT_EQ(service_->standard_output(), expected + "\n");
}

TEST_F(StationService, PagesUnderTheirExactPaths) {
  struct Case {
    int port;
    std::string target;
    int status;
    std::string title;
  };
  std::vector<Case> cases = {
      {kMirror1, kAccess, 200, "accessoOK"},
      {kMirror6, kAccess, 200, "accessoOK"},
      {kMirror3, kAccess, 200, "Servizio non disponibile"}, // title fault
      {kMirror4, kBanner, 200, "sponsor"},
      {kMirror3, kBanner, 200, "sponsor"},
      {kMirror4, "/Radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25&Radio=0", 404,
       "Pagina non trovata"},
      {kMirror4, "/radio/CaricaDati.asp?id=25&idRadio=0", 404, "Pagina non trovata"},
      {kMirror4, "/Radio/Radio.asp?dettaglio=25&Radio=0", 404, "Pagina non trovata"},
      {kMirror1, "/", 404, "Pagina non trovata"},
      {kMirror5, "/Radio/CaricaDati.asp?id=x&idRadio=0", 400, "Richiesta non valida"},
      {kMirror5, "/Radio/CaricaDati.asp?id=25", 400, "Richiesta non valida"},
      {kMirror5, "/Radio/CaricaDati.asp?id=99999999999999999999&idRadio=0", 400,
       "Richiesta non valida"},
      {kMirror5, "/radio/AccessoSintonia.asp?versione=4.5&Personalizzazione=25", 400,
       "Richiesta non valida"},
      {kMirror5, "/Radio/radio.asp?dettaglio=-1&Radio=0", 400, "Richiesta non valida"},
      {kProduct, kAccess, 404, "Pagina non trovata"}, // sites have no mirror pages
      {kMirror1, "/Radio/mostraRadio.asp?Id=1", 200, "Radio Citt\xE0"},
      {kMirror4, "/Radio/mostraRadio.asp?Id=23", 200, "\x80uro Dance Italia"},
      {kMirror4, "/Radio/mostraRadio.asp?Id=9001", 200, "caricamento"},
      {kMirror4, "/Radio/mostraRadio.asp?Id=9002", 200, "RADIO:-Radio Annuncio"},
      {kMirror4, "/Radio/mostraRadio.asp?Id=0", 404, "Emittente non trovata"},
      {kMirror4, "/Radio/mostraRadio.asp?Id=46", 404, "Emittente non trovata"},
      {kMirror4, "/Radio/mostraRadio.asp?Id=-1", 404, "Emittente non trovata"},
      {kMirror4, "/Radio/mostraRadio.asp?Id=1x", 404, "Emittente non trovata"},
      {kMirror4, "/Radio/mostraRadio.asp?Id=99999999999999999999", 404, "Emittente non trovata"},
      {kMirror4, "/Radio/mostraRadio.asp?id=1", 404, "Emittente non trovata"},
      {kMirror4, "/Radio/mostraRadio.asp", 404, "Emittente non trovata"},
      {kMirror4, "/radio/mostraRadio.asp?Id=1", 404, "Pagina non trovata"},
      {kMirror4, "/Radio/ricercaRadio.asp", 200, "Ricerca radio"},
      {kMirror4, "/radio/ricercaRadio.asp", 404, "Pagina non trovata"},
      {kMirror4, "/Radio/elencoAltre.asp", 200, "Tutte le emittenti"},
      {kMirror4, "/Radio/ElencoAltre.asp", 404, "Pagina non trovata"},
      {kMirror4, "/radio/SegnalaIndirizzo.asp", 200, "Iscrizione Newsletter"},
      {kMirror4, "/Radio/SegnalaIndirizzo.asp", 404, "Pagina non trovata"},
      {kMirror4, "/Radio/SponsorAggiuntivi.asp", 200, "Sponsor"},
      {kMirror4, "/radio/SponsorAggiuntivi.asp", 404, "Pagina non trovata"},
      {kMirror4, "/Radio/radioPersonale.asp", 200, "Selezione radio personale"},
      {kMirror4, "/Radio/RadioPersonale.asp", 404, "Pagina non trovata"},
      {kMirror4, "/Radio/confermaRadioPersonale.asp?Id=2", 200, std::string(kConfirmationTitle)},
      {kMirror4, "/Radio/confermaRadioPersonale.asp?Id=9002", 404, "Emittente non trovata"},
      {kMirror4, "/stream/1.mp3", 404, "Pagina non trovata"},
      {kMirror4, "/stream/x.wav", 404, "Pagina non trovata"},
      {kMirror4, "/stream/0.wav", 404, "Pagina non trovata"},
      {kMirror4, "/Stream/1.wav", 404, "Pagina non trovata"},
      {kProduct, "/comunity/randomfacebook.asp", 200, "Comunit\xE0 Sintonia"},
      {kProduct, "/AudioRecording.exe", 200, "Componente di registrazione"},
      {kProduct, "/audiorecording.exe", 404, "Pagina non trovata"},
      {kProduct + 1, "/AudioRecording.exe", 404, "Pagina non trovata"},
      {kProduct + 1, "/comunity/randomfacebook.asp", 404, "Pagina non trovata"},
      {kMirror1, "/comunity/randomfacebook.asp", 404, "Pagina non trovata"},
      {kProduct, "/Radio/mostraRadio.asp?Id=1", 404, "Pagina non trovata"},
      {kMirror4, "/Radio/Video.asp", 200, "Video - Sintonia"},
      {kMirror4, "/radio/Video.asp", 404, "Pagina non trovata"},
      {kProduct, "/Radio/Video.asp", 404, "Pagina non trovata"},
      {kMirror1, "/radio/GoogleFinder.htm", 200, "Cerca nel web - Sintonia"},
      {kMirror1, "/Radio/GoogleFinder.htm", 404, "Pagina non trovata"},
      {kProduct, "/radio/GoogleFinder.htm", 404, "Pagina non trovata"},
      {kProduct, "/plugin/fb/", 200, "Community - Sintonia"},
      {kProduct + 3, "/plugin/fb/", 200, "Community - Sintonia"},
      {kMirror1, "/plugin/fb/", 404, "Pagina non trovata"},
      {kProduct, "/plugin/news/", 200, "Nuovo software - Sintonia"},
      {kProduct, "/plugin/vacanze/", 200, "Vacanze - Sintonia"},
      {kProduct, "/plugin/vacanze/mare.htm", 200, "Vacanze al mare - Sintonia"},
      {kProduct, "/plugin/Vacanze/", 404, "Pagina non trovata"},
      {kProduct + 1, "/Forum", 200, "Forum - Sintonia"},
      {kProduct + 2, "/forum", 200, "Forum - Sintonia"},
      {kProduct + 2, "/FORUM", 404, "Pagina non trovata"},
      {kProduct + 2, "/forum/topic?id=20", 200, "Grazie agli sviluppatori - Forum - Sintonia"},
      {kProduct + 1, "/Forum/topic?id=21", 404, "Discussione non trovata - Forum - Sintonia"},
      {kProduct + 1, "/Pagamenti/Donazioni.htm", 200, "Donazioni - Sintonia"},
      {kProduct + 1, "/pagamenti/donazioni.htm", 404, "Pagina non trovata"},
      {kProduct, "/pubblicitasoftware.asp", 200, "Pubblicit\xE0 - Sintonia"},
  };
  for (int site = 1; site <= 4; ++site)
    cases.push_back({kProduct + site - 1, "/", 200, std::string(site_title(site))});
  const std::string news = "/Radio/RssSintonia.asp?IdNotizia=";
  const auto first_sample =
      utf8_to_cp1252(html_escape(parse_feed(sample_feed(3)).headlines.at(0).title));
  cases.push_back({kMirror4, news + "3&TempoRitardo=10", 200, first_sample});
  cases.push_back({kMirror1, news + "16&TempoRitardo=10", 200, "NO"});
  cases.push_back({kMirror4, news + "x", 200, "NO"});
  cases.push_back({kMirror4, "/radio/RssSintonia.asp?IdNotizia=3", 404, "Pagina non trovata"});
  cases.push_back({kProduct, news + "3", 404, "Pagina non trovata"});

  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.port) + " " + c.target);
    const auto result = get(port(c.port), c.target);
    ASSERT_TRUE(result) << httplib::to_string(result.error());
    EXPECT_EQ(result->status, c.status);
    EXPECT_EQ(title_of(result->body), c.title);
    EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=windows-1252");
  }
}

TEST_F(StationService, CatalogueIs124LinesOfWindows1252SentUncompressedAndCacheable) {
  const auto result = get(port(kMirror4), kCatalogue, {{"Accept-Encoding", "gzip, deflate, br"}});
  ASSERT_TRUE(result);
  ASSERT_EQ(result->status, 200);
  EXPECT_EQ(result->get_header_value("Content-Type"), "text/html; charset=windows-1252");
  EXPECT_EQ(result->get_header_value("Cache-Control"), "private, max-age=60");
  EXPECT_FALSE(result->has_header("Content-Encoding"));
  EXPECT_EQ(result->get_header_value("Content-Length"), std::to_string(result->body.size()));

  const auto lines = split(result->body, "<BR>");
  ASSERT_EQ(lines.size(), 124u);
  const std::string player =
      "http://127.0.0.1:" + std::to_string(port(kMirror4)) + "/Radio/mostraRadio.asp?Id=";
  for (int list : {0, 60})
    for (int r = 0; r < 15; ++r) {
      const auto at = static_cast<std::size_t>(list + r * 4);
      SCOPED_TRACE("line " + std::to_string(at + 1));
      EXPECT_EQ(lines[at].rfind(player, 0), 0u); // the demo fills both lists
      EXPECT_FALSE(lines[at + 1].empty());
      EXPECT_FALSE(lines[at + 2].empty());
    }
  EXPECT_EQ(lines[120], "Onde Italiane");
  // Accented letters as single Windows-1252 bytes, never as UTF-8.
  EXPECT_NE(result->body.find('\xE0'), std::string::npos);
  EXPECT_EQ(result->body.find("\xC3\xA0"), std::string::npos);
  EXPECT_EQ(result->body.find('\n'), std::string::npos);

  // The same page through the mirror's name: the player pages follow the Host.
  const auto named = get(port(kMirror4), kCatalogue, {{"Host", "mirror4.test:8080"}});
  ASSERT_TRUE(named);
  EXPECT_EQ(named->body.rfind("http://mirror4.test:8080/Radio/mostraRadio.asp?Id=", 0), 0u);

  const auto head = get(port(kMirror4), kCatalogue, {}, "HEAD");
  ASSERT_TRUE(head);
  EXPECT_EQ(head->status, 200);
  EXPECT_EQ(head->get_header_value("Content-Length"), std::to_string(result->body.size()));
}

TEST_F(StationService, MirrorRefusedFromTheCommandLine) {
  const auto result = get(port(kMirror2), kAccess);
  EXPECT_FALSE(result);
  EXPECT_EQ(result.error(), httplib::Error::Connection);
}

TEST_F(StationService, RefuseAtRunTimeAndListenAgainOnTheSamePort) {
  // Switched through the mirror's own port: the answer still arrives.
  const auto refused = get(port(kMirror1), "/_control/fault?mirror=1&mode=refuse");
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->body, "ok mirror1 refuse\n");
  const auto down = get(port(kMirror1), kAccess);
  EXPECT_FALSE(down);
  EXPECT_EQ(down.error(), httplib::Error::Connection);
  EXPECT_FALSE(port_free(port(kMirror1))); // held for listening again
  EXPECT_FALSE(port_free(port(kMirror2))); // refused from the start: held too

  EXPECT_EQ(control("fault?mirror=1&mode=none"), "200 ok mirror1 none\n");
  const auto up = get(port(kMirror1), kAccess);
  ASSERT_TRUE(up);
  EXPECT_EQ(title_of(up->body), "accessoOK");
}

TEST_F(StationService, TitleAndGarbleFaultsAtRunTime) {
  EXPECT_EQ(control("fault?mirror=5&mode=title"), "200 ok mirror5 title\n");
  EXPECT_EQ(title_of(get(port(kMirror5), kAccess)->body), "Servizio non disponibile");
  EXPECT_EQ(control("fault?mirror=5&mode=garble"), "200 ok mirror5 garble\n");
  EXPECT_EQ(title_of(get(port(kMirror5), kAccess)->body), "accessoOK");
  const auto garbled = split(get(port(kMirror5), kCatalogue)->body, "<BR>");
  ASSERT_EQ(garbled.size(), 125u);
  EXPECT_EQ(garbled[0], "");
  EXPECT_EQ(control("fault?mirror=5&mode=none"), "200 ok mirror5 none\n");
  EXPECT_EQ(split(get(port(kMirror5), kCatalogue)->body, "<BR>").size(), 124u);
}

TEST_F(StationService, SlowFaultDelaysTheAnswerButLogsTheRequestAtOnce) {
  EXPECT_EQ(control("fault?mirror=6&mode=slow&ms=1500"), "200 ok mirror6 slow\n");
  const auto start = std::chrono::steady_clock::now();
  auto pending = std::async(std::launch::async, [&] { return get(port(kMirror6), kBanner); });

  // The log line comes before the answer.
  bool logged = false;
  const auto until = start + 5s;
  while (!logged && std::chrono::steady_clock::now() < until) {
    for (const auto &record : log_records(test::read_file(service_->log_file())))
      logged = logged || (record.size() == 7 && record[2] == "mirror6" && record[4] == kBanner &&
                          record[6] == "slow");
    if (!logged)
      std::this_thread::sleep_for(10ms);
  }
  EXPECT_TRUE(logged);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 1500ms);

  ASSERT_EQ(pending.wait_for(10s), std::future_status::ready);
  const auto result = pending.get();
  EXPECT_GE(std::chrono::steady_clock::now() - start, 1500ms);
  ASSERT_TRUE(result);
  EXPECT_EQ(title_of(result->body), "sponsor");

  EXPECT_EQ(control("fault?mirror=6&mode=none"), "200 ok mirror6 none\n");
  const auto fast = std::chrono::steady_clock::now();
  ASSERT_TRUE(get(port(kMirror6), kBanner));
  EXPECT_LT(std::chrono::steady_clock::now() - fast, 1000ms);
}

TEST_F(StationService, ControlPagesRejectBadParameters) {
  for (const std::string query :
       {"fault?mirror=7&mode=refuse", "fault?mirror=1&mode=explode", "fault?mode=refuse",
        "fault?mirror=1&site=1&mode=none", "fault?mirror=1&mode=slow&ms=-5",
        "fault?site=5&mode=none", "log?from=x"})
    EXPECT_EQ(control(query).substr(0, 4), "400 ") << query;
  EXPECT_EQ(control("nothing").substr(0, 4), "404 ");
  const auto faults = control("faults");
  EXPECT_NE(faults.find("mirror2 refuse\n"), std::string::npos) << faults;
  EXPECT_NE(faults.find("mirror3 title\n"), std::string::npos) << faults;
  EXPECT_NE(faults.find("sister none\n"), std::string::npos) << faults;
}

TEST_F(StationService, RequestLogSaysWhichPortWasAskedForWhat) {
  ASSERT_TRUE(get(port(kMirror1), kAccess));
  ASSERT_TRUE(get(port(kMirror3), kAccess));
  ASSERT_TRUE(get(port(kMirror4), "/nowhere?a=%09"));

  const auto file = test::read_file(service_->log_file());
  const auto records = log_records(file);
  auto has = [&](int index, const std::string &name, const std::string &target,
                 const std::string &status, const std::string &note) {
    for (const auto &r : records)
      if (r.size() == 7 && r[1] == std::to_string(port(index)) && r[2] == name &&
          r[3] == "GET" && r[4] == target && r[5] == status && r[6] == note)
        return true;
    return false;
  };
  EXPECT_TRUE(has(kMirror1, "mirror1", kAccess, "200", "-")) << file;
  EXPECT_TRUE(has(kMirror3, "mirror3", kAccess, "200", "title")) << file;
  EXPECT_TRUE(has(kMirror4, "mirror4", "/nowhere?a=%09", "404", "-")) << file;
  for (const auto &r : records) {
    ASSERT_EQ(r.size(), 7u);
    EXPECT_EQ(r[0].size(), 24u); // 2024-05-17T10:04:01.250Z
    EXPECT_NE(r[2], "mirror2");  // refused: never reached
  }

  // The control page gives the same lines (its own request is logged after it).
  const auto from_control = get(port(kProduct), "/_control/log");
  ASSERT_TRUE(from_control);
  const auto lines = test::read_file(service_->log_file());
  EXPECT_EQ(lines.substr(0, from_control->body.size()), from_control->body);
  const auto tail = get(port(kProduct), "/_control/log?from=1");
  ASSERT_TRUE(tail);
  EXPECT_EQ(tail->body, from_control->body.substr(from_control->body.find('\n') + 1) +
                            lines.substr(from_control->body.size(),
                                         lines.find('\n', from_control->body.size()) + 1 -
                                             from_control->body.size()));
}

TEST_F(StationService, PlayerPagePlaysTheStationsOwnTone) {
  struct Case {
    std::string id;
    std::string title;
    int frequency; // 200 Hz + 20 Hz x (id mod 50); 0: no sound at all
  };
  const std::vector<Case> cases = {
      {"3", "Caff\xE8 Swing", 260},
      {"45", "Ritmo Tricolore", 1100},
      {"9002", "RADIO:-Radio Annuncio", 240},
      {"9001", "caricamento", 0},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.id);
    const auto page = get(port(kMirror1), "/Radio/mostraRadio.asp?Id=" + c.id);
    ASSERT_TRUE(page);
    EXPECT_EQ(title_of(page->body), c.title);
    EXPECT_EQ(page->get_header_value("Cache-Control"), "no-store");
    const std::string audio = "<audio autoplay controls src=\"/stream/" + c.id + ".wav\">";
    if (c.frequency == 0) {
      EXPECT_EQ(page->body.find("<audio"), std::string::npos);
      continue;
    }
    EXPECT_NE(page->body.find(audio), std::string::npos) << page->body;

    // The first second, as a player asks for it.
    const auto wav =
        get(port(kMirror1), "/stream/" + c.id + ".wav", {{"Range", "bytes=0-44143"}});
    ASSERT_TRUE(wav);
    EXPECT_EQ(wav->status, 206);
    EXPECT_EQ(wav->get_header_value("Content-Type"), "audio/wav");
    ASSERT_EQ(wav->body.size(), 44144u);
    EXPECT_EQ(wav->body.substr(0, 4), "RIFF");
    EXPECT_EQ(wav->body.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(wav->body.substr(36, 4), "data");
    const auto total = wav->get_header_value("Content-Range");
    EXPECT_EQ(total.rfind("bytes 0-44143/", 0), 0u) << total;
    EXPECT_NEAR(tone_of(wav->body.substr(44), 22050), c.frequency, 2.0);

    // An hour in, the same tone.
    const auto later =
        get(port(kMirror1), "/stream/" + c.id + ".wav", {{"Range", "bytes=158760044-158804143"}});
    ASSERT_TRUE(later);
    EXPECT_EQ(later->status, 206);
    EXPECT_NEAR(tone_of(later->body, 22050), c.frequency, 2.0);
  }
}

TEST_F(StationService, StreamAnswersWholeRangedAndPastItsEnd) {
  const std::string stream = "/stream/7.wav";
  const auto head = get(port(kMirror4), stream, {}, "HEAD");
  ASSERT_TRUE(head);
  EXPECT_EQ(head->status, 200);
  EXPECT_EQ(head->get_header_value("Accept-Ranges"), "bytes");
  const auto size = head->get_header_value("Content-Length");
  EXPECT_EQ(size, "635040044"); // four hours of 22050 Hz 16-bit mono and the header

  // The whole file is offered; the client hangs up after a few kilobytes.
  httplib::Client client("127.0.0.1", port(kMirror4));
  client.set_read_timeout(10, 0);
  std::size_t received = 0;
  const auto whole = client.Get(stream.c_str(), [&](const char *, std::size_t length) {
    received += length;
    return received < 16384;
  });
  EXPECT_FALSE(whole); // cancelled by us
  EXPECT_GE(received, 16384u);

  for (const std::string range : {"bytes=635040044-", "bytes=900000000-900000001"}) {
    const auto past = get(port(kMirror4), stream, {{"Range", range}});
    ASSERT_TRUE(past) << range;
    EXPECT_EQ(past->status, 416) << range;
    EXPECT_EQ(past->get_header_value("Content-Range"), "bytes */" + size);
  }
  const auto tail = get(port(kMirror4), stream, {{"Range", "bytes=635040040-"}});
  ASSERT_TRUE(tail);
  EXPECT_EQ(tail->status, 206);
  EXPECT_EQ(tail->body.size(), 4u);

  // The log has the statuses as sent.
  std::multiset<std::string> statuses;
  for (const auto &record : log_records(test::read_file(service_->log_file())))
    if (record.size() == 7 && record[4] == stream)
      statuses.insert(record[3] + " " + record[5]);
  EXPECT_EQ(statuses, (std::multiset<std::string>{"HEAD 200", "GET 200", "GET 416", "GET 416",
                                                  "GET 206"}));
}

TEST_F(StationService, AFloodOfPlayerPageViewsIsOneClick) {
  // "Radio Semaforo" (id 38) has no demo click in the last week. Sixty views
  // from one client used to put it above every other station; now the
  // first view counts and the rest of the flood, on any mirror, does not.
  const std::string player = "/Radio/mostraRadio.asp?Id=38";
  auto first_record = [&] {
    const auto lines = split(get(port(kMirror4), kCatalogue)->body, "<BR>");
    return lines.size() == 124 ? lines[0] + " | " + lines[1] : "(bad catalogue)";
  };
  auto clicks = [&] {
    Directory directory(service_->db_file().string());
    return directory.click_count(38, 0, INT64_MAX);
  };
  const std::string top = "http://127.0.0.1:" + std::to_string(port(kMirror4)) + player +
                          " | Radio Semaforo";
  const auto before = clicks();
  EXPECT_NE(first_record(), top);
  for (int i = 0; i < 500; ++i)
    ASSERT_EQ(get(port(i % 2 == 0 ? kMirror1 : kMirror4), player)->status, 200);
  EXPECT_EQ(get(port(kMirror4), player, {}, "HEAD")->status, 200);
  EXPECT_NE(first_record(), top);
  EXPECT_EQ(clicks(), before + 1);
}

TEST_F(StationService, SearchFindsByAnyFieldAndEchoesSafely) {
  struct Case {
    std::string query;
    int status;
    std::vector<std::string> found;  // player links that must be there
    std::string absent;              // text that must not be there
  };
  const std::vector<Case> cases = {
      {"cerca=citt%E0", 200, {"Id=1\"", "Id=36\""}, "Nessuna emittente"},
      {"cerca=JAZZ", 200, {"Id=3\""}, "Nessuna emittente"},        // a genre, any case
      {"cerca=Onda+Pi%F9", 200, {"Id=2\""}, "Id=1\""},
      {"cerca=%25", 200, {}, "<li>"},                              // a literal percent sign
      {"cerca=%3Cscript%3Ealert(1)%3C/script%3E", 200, {}, "<script>"},
      {"cerca=%22%3E%3Cb%3E", 200, {}, "\"><b>"},
      {"cerca=" + std::string(61, 'a'), 400, {}, "<li>"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.query);
    const auto result = get(port(kMirror4), "/Radio/ricercaRadio.asp?" + c.query);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, c.status);
    for (const auto &link : c.found)
      EXPECT_NE(result->body.find("<a href=\"/Radio/mostraRadio.asp?" + link), std::string::npos)
          << result->body;
    EXPECT_EQ(result->body.find(c.absent), std::string::npos) << result->body;
  }
  const auto none = get(port(kMirror4), "/Radio/ricercaRadio.asp?cerca=zzzz");
  EXPECT_NE(none->body.find("Nessuna emittente trovata"), std::string::npos);
  // The form searches this same page by GET.
  EXPECT_NE(none->body.find("<form method=\"get\" action=\"/Radio/ricercaRadio.asp\">"),
            std::string::npos);

  const auto all = get(port(kMirror4), "/Radio/elencoAltre.asp");
  ASSERT_TRUE(all);
  EXPECT_EQ(count_of(all->body, "<a href=\"/Radio/mostraRadio.asp?Id="), 45);
  for (int id = 1; id <= 45; ++id)
    EXPECT_EQ(count_of(all->body, "?Id=" + std::to_string(id) + "\""), 1) << id;
}

TEST_F(StationService, NewsletterStoresValidAddressesOnly) {
  const std::string page = "/radio/SegnalaIndirizzo.asp";
  const auto form = get(port(kMirror4), page);
  ASSERT_TRUE(form);
  EXPECT_NE(form->body.find("<form method=\"post\" action=\"/radio/SegnalaIndirizzo.asp\">"),
            std::string::npos);

  struct Case {
    std::string form; // the posted body
    std::string address;
    int status;
    std::string title;
    bool stored;
  };
  const std::vector<Case> cases = {
      {"email=giulia.bianchi%40example.it", "giulia.bianchi@example.it", 200,
       "Iscrizione registrata", true},
      {"email=GIULIA.Bianchi%40Example.IT", "giulia.bianchi@example.it", 200,
       "Iscrizione registrata", true}, // the same address again
      {"email=", "", 400, "Indirizzo non valido", false},
      {"", "", 400, "Indirizzo non valido", false},
      {"email=nessuno", "nessuno", 400, "Indirizzo non valido", false},
      {"email=a%40b", "a@b", 400, "Indirizzo non valido", false},
      {"email=%3Cscript%3E%40example.it", "<script>@example.it", 400, "Indirizzo non valido",
       false},
      {"email=x%40example.it%0D%0ABcc%3A+y%40example.it", "x@example.it\r\nBcc: y@example.it",
       400, "Indirizzo non valido", false},
      {"email=" + std::string(250, 'a') + "%40example.it", std::string(250, 'a') + "@example.it",
       400, "Indirizzo non valido", false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.form.substr(0, 60));
    const auto result = post_form(port(kMirror4), page, c.form);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, c.status);
    EXPECT_EQ(title_of(result->body), c.title);
    EXPECT_EQ(result->body.find("<script>"), std::string::npos);
    if (!c.address.empty()) {
      Directory directory(service_->db_file().string());
      EXPECT_EQ(directory.subscribed(c.address), c.stored);
    }
  }
  // Opening the page with an address in its query stores nothing.
  ASSERT_TRUE(get(port(kMirror4), page + "?email=luca%40example.it"));
  Directory directory(service_->db_file().string());
  EXPECT_FALSE(directory.subscribed("luca@example.it"));
}

TEST_F(StationService, PersonalPickerLeadsToTheConfirmationLines) {
  const auto picker =
      get(port(kMirror3), "/Radio/radioPersonale.asp?cerca=lirica", {{"Accept-Encoding", "gzip"}});
  ASSERT_TRUE(picker);
  EXPECT_EQ(picker->get_header_value("Cache-Control"), "private, max-age=60");
  const std::string link = "/Radio/confermaRadioPersonale.asp?Id=40";
  ASSERT_NE(picker->body.find("<a href=\"" + link + "\">Lirica Sempre</a>"), std::string::npos)
      << picker->body;

  const auto confirmation = get(port(kMirror3), link, {{"Accept-Encoding", "gzip"}});
  ASSERT_TRUE(confirmation);
  EXPECT_EQ(confirmation->status, 200);
  EXPECT_EQ(confirmation->get_header_value("Cache-Control"), "private, max-age=60");
  EXPECT_FALSE(confirmation->has_header("Content-Encoding"));
  EXPECT_EQ(title_of(confirmation->body), kConfirmationTitle);
  const auto lines = split(confirmation->body, "\r\n");
  ASSERT_GE(lines.size(), 43u);
  EXPECT_EQ(lines[38], "40");
  EXPECT_EQ(lines[40], "Lirica Sempre");
  EXPECT_EQ(lines[42], "Lirica Sempre");
  EXPECT_EQ(confirmation->body.find('\n'), confirmation->body.find("\r\n") + 1);
}

TEST_F(StationService, ProductSitePagesForTheClientsPanes) {
  const auto recorder = get(port(kProduct), "/AudioRecording.exe");
  ASSERT_TRUE(recorder);
  for (const std::string text : {"bash scripts/run.sh", "libsintonia-audioctl.so", "Ok"})
    EXPECT_NE(recorder->body.find(text), std::string::npos) << text;
  const auto box = get(port(kProduct), "/comunity/randomfacebook.asp");
  ASSERT_TRUE(box);
  EXPECT_NE(box->body.find("width:133px;height:123px"), std::string::npos); // a 145x135 pane
}

TEST_F(StationService, SectionPagesComeBackFromTheCacheAndAnswerHead) {
  const std::vector<std::pair<int, std::string>> pages = {
      {kProduct, "/plugin/fb/"},          {kProduct, "/plugin/news/"},
      {kProduct, "/plugin/vacanze/"},     {kProduct + 1, "/Forum"},
      {kProduct + 2, "/forum/topic?id=1"}, {kProduct + 1, "/Pagamenti/Donazioni.htm"},
      {kProduct, "/pubblicitasoftware.asp"}, {kMirror4, "/Radio/Video.asp"},
      {kMirror1, "/radio/GoogleFinder.htm"},
  };
  for (const auto &[index, target] : pages) {
    SCOPED_TRACE(target);
    const auto page = get(port(index), target, {{"Accept-Encoding", "gzip"}});
    ASSERT_TRUE(page);
    EXPECT_EQ(page->status, 200);
    const auto cache = page->get_header_value("Cache-Control");
    ASSERT_EQ(cache.rfind("private, max-age=", 0), 0u) << cache;
    EXPECT_GE(std::stol(cache.substr(17)), 180);
    EXPECT_FALSE(page->has_header("Content-Encoding"));
    EXPECT_EQ(page->get_header_value("Content-Length"), std::to_string(page->body.size()));

    const auto head = get(port(index), target, {}, "HEAD");
    ASSERT_TRUE(head);
    EXPECT_EQ(head->status, 200);
    EXPECT_EQ(head->get_header_value("Cache-Control"), cache);
    EXPECT_EQ(head->get_header_value("Content-Length"), std::to_string(page->body.size()));
    EXPECT_TRUE(head->body.empty());
  }
}

TEST_F(StationService, VideoPageLeadsToPlayersOfTheDirectory) {
  const auto video = get(port(kMirror4), "/Radio/Video.asp");
  ASSERT_TRUE(video);
  const std::string open = "<a href=\"/Radio/mostraRadio.asp?Id=";
  int players = 0;
  for (auto at = video->body.find(open); at != std::string::npos;
       at = video->body.find(open, at + 1), ++players) {
    const auto start = at + std::string("<a href=\"").size();
    const auto target = video->body.substr(start, video->body.find('"', start) - start);
    // HEAD, so that the check counts no click.
    const auto player = get(port(kMirror4), target, {}, "HEAD");
    ASSERT_TRUE(player);
    EXPECT_EQ(player->status, 200) << target;
  }
  EXPECT_GE(players, 5); // the demo directory has stations of most channels' kinds
}

// Separate processes: first start seeds, a restart keeps the directory, a
// stop during a slow answer is still prompt and clean.
TEST(StationServiceLife, SeedsOnceStopsCleanlyAndKeepsItsDirectory) {
  ServiceProcess service;
  std::string error;
  ASSERT_TRUE(service.start({}, error)) << error;
  EXPECT_NE(service.standard_error().find("seeded a new demo directory"), std::string::npos);
  EXPECT_EQ(get(service.port(kMirror1), "/_control/faults")->status, 404); // no --control
  EXPECT_EQ(service.stop(), 0);
  int stations = 0;
  {
    Directory directory(service.db_file().string());
    stations = directory.station_count();
  }
  EXPECT_GE(stations, 40);

  ASSERT_TRUE(service.start({"--fault", "1=slow"}, error)) << error;
  EXPECT_EQ(service.standard_error(), "");
  auto pending = std::async(std::launch::async,
                            [&] { return get(service.port(kMirror1), kAccess); });
  bool logged = false;
  for (const auto until = std::chrono::steady_clock::now() + 5s;
       !logged && std::chrono::steady_clock::now() < until; std::this_thread::sleep_for(10ms))
    logged = test::read_file(service.log_file()).find("\tslow\n") != std::string::npos;
  ASSERT_TRUE(logged);
  const auto stopping = std::chrono::steady_clock::now();
  EXPECT_EQ(service.stop(5s), 0); // well before the 20 s delay
  EXPECT_LT(std::chrono::steady_clock::now() - stopping, 5s);
  EXPECT_EQ(pending.wait_for(10s), std::future_status::ready);

  Directory directory(service.db_file().string());
  EXPECT_EQ(directory.station_count(), stations);
}

TEST(StationServiceLife, StopsPromptlyWhileAStreamPlays) {
  ServiceProcess service;
  std::string error;
  ASSERT_TRUE(service.start({}, error)) << error;
  std::atomic<std::size_t> received{0};
  auto listening = std::async(std::launch::async, [&] {
    httplib::Client client("127.0.0.1", service.port(kMirror1));
    client.set_read_timeout(10, 0);
    return client.Get("/stream/12.wav", [&](const char *, std::size_t length) {
      received += length;
      return true; // a player that keeps listening
    });
  });
  const auto until = std::chrono::steady_clock::now() + 5s;
  while (received < 100000 && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(10ms);
  ASSERT_GE(received, 100000u);

  const auto stopping = std::chrono::steady_clock::now();
  EXPECT_EQ(service.stop(5s), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - stopping, 3s);
  ASSERT_EQ(listening.wait_for(10s), std::future_status::ready);
  EXPECT_FALSE(listening.get()); // cut off, long before its end
}

TEST(StationServiceLife, NewsTickerShowsTheConfiguredFeed) {
  const std::string headline = "Derby deciso al novantesimo";
  std::promise<void> asked;
  std::once_flag first;
  httplib::Server site;
  site.Get("/calcio.xml", [&](const auto &, auto &response) {
    response.set_content("<rss version=\"2.0\"><channel><item><title>" + headline +
                             "</title></item></channel></rss>",
                         "application/rss+xml");
    std::call_once(first, [&] { asked.set_value(); });
  });
  const int site_port = site.bind_to_any_port("127.0.0.1");
  std::thread serving([&] { site.listen_after_bind(); });

  ServiceProcess service;
  const auto feeds = service.folder() / "feeds.txt";
  std::ofstream(feeds) << "# calcio\n5 http://127.0.0.1:" << site_port << "/calcio.xml\n";
  std::string error;
  ASSERT_TRUE(service.start({"--news-feeds", feeds.string()}, error)) << error;
  const bool read = asked.get_future().wait_for(10s) == std::future_status::ready;

  // The store takes the feed a moment after the site has sent it.
  const std::string page = "/Radio/RssSintonia.asp?IdNotizia=5&TempoRitardo=5";
  std::string title;
  for (const auto until = std::chrono::steady_clock::now() + 5s;
       read && title != headline && std::chrono::steady_clock::now() < until;
       std::this_thread::sleep_for(10ms))
    if (const auto answer = get(service.port(kMirror1), page))
      title = title_of(answer->body);
  EXPECT_TRUE(read);
  EXPECT_EQ(title, headline);
  // Other categories keep their sample news.
  EXPECT_EQ(title_of(get(service.port(kMirror1), "/Radio/RssSintonia.asp?IdNotizia=3")->body),
            utf8_to_cp1252(html_escape(parse_feed(sample_feed(3)).headlines.at(0).title)));
  const auto stopping = std::chrono::steady_clock::now();
  EXPECT_EQ(service.stop(5s), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - stopping, 3s);
  EXPECT_EQ(service.standard_error().find("news feed"), std::string::npos)
      << service.standard_error();

  site.stop();
  serving.join();

  std::ofstream(feeds) << "5 http://127.0.0.1:1/a.xml\n99 http://127.0.0.1:1/b.xml\n";
  EXPECT_FALSE(service.start({"--news-feeds", feeds.string()}, error, 10s));
  EXPECT_NE(error.find(feeds.string() + ": line 2: the category must be 1..15"), std::string::npos)
      << error;
}

TEST(StationServiceLife, RefusesToStartOnBadOptionsOrBusyPorts) {
  ServiceProcess first;
  std::string error;
  ASSERT_TRUE(first.start({}, error)) << error;

  ServiceProcess clash;
  const std::string taken = std::to_string(first.port(kMirror3));
  EXPECT_FALSE(clash.start({"--mirror-ports", "0,0," + taken + ",0,0,0"}, error, 10s));
  EXPECT_NE(error.find("cannot listen on 127.0.0.1:" + taken + " (mirror3)"), std::string::npos)
      << error;

  ServiceProcess bad;
  EXPECT_FALSE(bad.start({"--fault", "9=refuse"}, error, 10s));
  EXPECT_NE(error.find("unknown port: 9"), std::string::npos) << error;
  EXPECT_EQ(first.stop(), 0);
}

} // namespace
} // namespace station
