// Text handling of the service: code page, numbers, hosts, log fields.
#include "cp1252.h"
#include "endpoint.h"
#include "numbers.h"
#include "query.h"
#include "request_log.h"

#include <gtest/gtest.h>

#include <chrono>

namespace station {
namespace {

TEST(Cp1252, EncodesWhatTheCodePageHasAndMarksTheRest) {
  struct Case {
    std::string utf8, bytes;
  };
  const std::vector<Case> cases = {
      {"Radio Città", "Radio Citt\xE0"},
      {"Perché Più", "Perch\xE9 Pi\xF9"},
      {"€ – — “ ” ‘ ’ … ™ Œ ž Ÿ", "\x80 \x96 \x97 \x93 \x94 \x91 \x92 \x85 \x99 \x8C \x9E \x9F"},
      {"\xC2\xA0\xC3\xBF", "\xA0\xFF"},         // U+00A0, U+00FF
      {"日本", "??"},                            // not in the code page
      {"\xC2\x81", "?"},                         // a C1 control
      {"a\xFF" "b", "a?b"},                      // stray byte
      {"\xC3", "?"},                             // cut sequence
      {"\xC0\xAF", "??"},                        // overlong '/'
      {"\xED\xA0\x80", "???"},                   // surrogate
      {"\xF0\x9F\x8E\xB5", "?"},                 // outside the BMP, not in the code page
      {"", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(utf8_to_cp1252(c.utf8), c.bytes) << c.utf8;
}

TEST(Cp1252, EveryDefinedByteRoundTrips) {
  for (int b = 1; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    const bool undefined = b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
    if (undefined) // read as C1 controls, which the code page cannot write back
      continue;
    EXPECT_EQ(utf8_to_cp1252(cp1252_to_utf8(byte)), byte) << b;
  }
  EXPECT_EQ(cp1252_to_utf8("\x80"), "€");
  EXPECT_EQ(cp1252_to_utf8("\x81"), "\xC2\x81");
}

TEST(Numbers, OnlyPlainDigitsWithinRange) {
  struct Case {
    const char *text;
    std::optional<std::int64_t> value;
  };
  const std::vector<Case> cases = {
      {"25", 25},        {"0", 0},         {"007", 7},         {"999", 999},
      {"1000", {}},      {"-1", {}},       {"+1", {}},         {" 1", {}},
      {"1 ", {}},        {"1e3", {}},      {"", {}},           {"0x10", {}},
      {"123456789012345678", {}},          {"1234567890123456789", {}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(parse_decimal(c.text, 0, 999), c.value) << c.text;
}

TEST(Query, ParametersCheckedForFormAndLength) {
  const QueryParams params{{"versione", "4.5"}, {"Personalizzazione", "25"}, {"Radio", "0"},
                           {"bad", "4.5<script>"}, {"long", std::string(17, '1')},
                           {"Radio", "9"}};
  EXPECT_EQ(version_param(params, "versione", 16), "4.5");
  EXPECT_EQ(version_param(params, "bad", 16), std::nullopt);
  EXPECT_EQ(version_param(params, "long", 16), std::nullopt);
  EXPECT_EQ(version_param(params, "missing", 16), std::nullopt);
  EXPECT_EQ(int_param(params, "Personalizzazione", 0, 100), 25);
  EXPECT_EQ(int_param(params, "personalizzazione", 0, 100), std::nullopt); // keys are exact
  EXPECT_EQ(int_param(params, "Radio", 0, 100), 0);                         // the first value
  EXPECT_EQ(int_param(params, "Personalizzazione", 0, 10), std::nullopt);
}

TEST(Query, FreeTextBoundedInLength) {
  const QueryParams params{{"cerca", "città"}, {"long", std::string(61, 'a')}};
  EXPECT_EQ(text_param(params, "cerca", 60), "città");
  EXPECT_EQ(text_param(params, "missing", 60), "");
  EXPECT_EQ(text_param(params, "long", 60), std::nullopt);
  EXPECT_EQ(text_param(params, "long", 61), std::string(61, 'a'));
}

TEST(Query, EmailAddressesOfTheUsualForm) {
  const std::string long_local(64, 'a');
  const std::string long_label(63, 'b');
  struct Case {
    std::string address;
    bool valid;
  };
  const std::vector<Case> cases = {
      {"mario.rossi@example.it", true},
      {"m+radio_1@posta.example.com", true},
      {"O'Brien@Example.ORG", true},
      {long_local + "@x.it", true},
      {"a@" + long_label + ".it", true},
      {long_local + "a@x.it", false},           // local part over 64
      {"a@" + long_label + "b.it", false},      // label over 63
      {"a@" + std::string(250, 'c') + ".it", false}, // over 254 in all
      {"", false},
      {"mario", false},
      {"@example.it", false},
      {"mario@", false},
      {"mario@localhost", false},               // one label
      {"mario@example.i", false},               // one-letter top level
      {"mario@example.123", false},
      {"mario@@example.it", false},
      {"ma@rio@example.it", false},
      {".mario@example.it", false},
      {"mario.@example.it", false},
      {"ma..rio@example.it", false},
      {"mario@-example.it", false},
      {"mario@example-.it", false},
      {"mario@example..it", false},
      {"mario rossi@example.it", false},
      {"mario@exa mple.it", false},
      {"<script>@example.it", false},
      {"mario@example.it\r\nBcc: x@y.it", false},
      {"mar\xE0@example.it", false},              // a Windows-1252 letter
      {"mario@exam\xC3\xA0ple.it", false},
  };
  for (const auto &c : cases)
    EXPECT_EQ(valid_email(c.address), c.valid) << c.address;
}

TEST(Query, HostHeaderUsedOnlyWhenPlausible) {
  struct Case {
    std::string header, host;
  };
  const std::vector<Case> cases = {
      {"127.0.0.1:47803", "127.0.0.1:47803"},
      {"mirror3.example:80", "mirror3.example:80"},
      {"[::1]:47803", "[::1]:47803"},
      {"", "127.0.0.1:9"},
      {"evil<BR>host", "127.0.0.1:9"},
      {"a b", "127.0.0.1:9"},
      {"x/y", "127.0.0.1:9"},
      {std::string(51, 'a'), "127.0.0.1:9"},
      {std::string(50, 'a'), std::string(50, 'a')},
  };
  for (const auto &c : cases)
    EXPECT_EQ(request_host(c.header, 9), c.host) << c.header;
}

TEST(Endpoints, NamesAndParsing) {
  struct Case {
    const char *text;
    std::optional<Endpoint> endpoint;
  };
  const std::vector<Case> cases = {
      {"1", Endpoint{PortKind::Mirror, 1}},      {"mirror6", Endpoint{PortKind::Mirror, 6}},
      {"site1", Endpoint{PortKind::Site, 1}},    {"sister", Endpoint{PortKind::Site, 4}},
      {"maker", Endpoint{PortKind::Site, 2}},    {"0", {}},
      {"7", {}},                                 {"site5", {}},
      {"mirror", {}},                            {"Mirror1", {}},
      {"", {}},
  };
  for (const auto &c : cases)
    EXPECT_EQ(parse_endpoint(c.text), c.endpoint) << c.text;
  for (int i = 0; i < kPortCount; ++i)
    EXPECT_EQ(endpoint_index(endpoint_at(i)), i);
  EXPECT_EQ(endpoint_name(endpoint_at(2)), "mirror3");
  EXPECT_EQ(endpoint_name(endpoint_at(6)), "product");
  EXPECT_EQ(endpoint_name(endpoint_at(9)), "sister");
}

TEST(RequestLogLine, SevenTabSeparatedFieldsWithUnsafeBytesEscaped) {
  LogEntry entry;
  entry.time = std::chrono::system_clock::time_point(std::chrono::milliseconds(1'700'000'000'250));
  entry.port = 47803;
  entry.port_name = "mirror3";
  entry.method = "GET";
  entry.target = "/Radio/CaricaDati.asp?id=25&idRadio=0";
  entry.status = 200;
  EXPECT_EQ(format_log_line(entry), "2023-11-14T22:13:20.250Z\t47803\tmirror3\tGET\t"
                                    "/Radio/CaricaDati.asp?id=25&idRadio=0\t200\t-");
  entry.target = "/a\tb\nc\xE0%";
  entry.note = "slow";
  EXPECT_EQ(format_log_line(entry).substr(25),
            "47803\tmirror3\tGET\t/a%09b%0Ac%E0%\t200\tslow");
  EXPECT_EQ(log_safe(std::string(5000, 'x'), 2048).size(), 2051u);
}

TEST(RequestLogMemory, LinesFromAGivenNumber) {
  RequestLog log;
  LogEntry entry;
  for (int i = 0; i < 5; ++i) {
    entry.status = 200 + i;
    log.write(entry);
  }
  EXPECT_EQ(log.count(), 5u);
  const auto lines = log.lines(3);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("\t203\t"), std::string::npos);
  EXPECT_TRUE(log.lines(99).empty());
}

} // namespace
} // namespace station
