// The confirmation page of the personal-station picker, which the client
// reads by line numbers after saving it.
#include "pages.h"

#include <gtest/gtest.h>

namespace station {
namespace {

// Lines as the client reads the saved file: split at CR LF or LF, counted from 1.
std::vector<std::string> file_lines(const std::string &bytes) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    auto end = bytes.find('\n', pos);
    if (end == std::string::npos)
      end = bytes.size();
    std::string line = bytes.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

TEST(PersonalConfirmation, ChosenStationOnLines39To43WhateverItsText) {
  struct Case {
    Station station;
    std::string id, name, caption; // the lines as the client reads them (Windows-1252)
  };
  const std::vector<Case> cases = {
      {{7, "Radio Libertà", "Radio Libertà", "Notizie", 0}, "7", "Radio Libert\xE0",
       "Radio Libert\xE0"},
      {{999999999, "Radio Faro “Il Porto”", "", "", 0}, "999999999",
       "Radio Faro \x93Il Porto\x94", ""},
      {{12, "Due\r\nrighe\n", "a<b>c</b>\td", "", 0}, "12", "Due  righe ", "abc/b d"},
      {{3, "R&B <Live>", "日本", "", 0}, "3", "R&B Live", "??"},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.station.name);
    const auto page = personal_confirmation_document(c.station);
    const auto lines = file_lines(page);
    ASSERT_GE(lines.size(), 43u);
    EXPECT_EQ(lines[38], c.id);
    EXPECT_EQ(lines[40], c.name);
    EXPECT_EQ(lines[42], c.caption);
    EXPECT_NE(page.find("<title>" + std::string(kConfirmationTitle) + "</title>\r\n"),
              std::string::npos);
    // Every line end is CR LF, so the count is the same for any line reader.
    for (std::size_t i = 0; i < page.size(); ++i) {
      if (page[i] == '\n' || page[i] == '\r') {
        ASSERT_EQ(page.substr(page[i] == '\r' ? i : i - 1, 2), "\r\n") << "at byte " << i;
      }
    }
  }
}

} // namespace
} // namespace station
