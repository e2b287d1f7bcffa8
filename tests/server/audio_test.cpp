// The tone of the player pages: a valid WAV file, one frequency per station,
// the same bytes whatever range is read.
#include "audio_stream.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <vector>

namespace station {
namespace {

std::uint32_t le(const std::string &bytes, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i)
    value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
  return value;
}

std::string read(const ToneWav &wav, std::uint64_t offset, std::size_t length) {
  std::string out(length, '\0');
  out.resize(wav.read(offset, length, out.data()));
  return out;
}

std::vector<int> samples(const std::string &bytes) {
  std::vector<int> values;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    values.push_back(static_cast<std::int16_t>(le(bytes, i, 2)));
  return values;
}

// Rising zero crossings per second.
double measured_frequency(const std::vector<int> &values, int rate) {
  int rising = 0;
  for (std::size_t i = 1; i < values.size(); ++i)
    rising += values[i - 1] < 0 && values[i] >= 0;
  return rising * static_cast<double>(rate) / static_cast<double>(values.size());
}

TEST(ToneWav, HeaderDescribesMono16BitPcmOfTheWholeLength) {
  const ToneWav wav(440, kToneRate, kToneSeconds);
  const auto header = read(wav, 0, 44);
  ASSERT_EQ(header.size(), 44u);
  EXPECT_EQ(header.substr(0, 4), "RIFF");
  EXPECT_EQ(le(header, 4, 4), wav.size() - 8);
  EXPECT_EQ(header.substr(8, 8), "WAVEfmt ");
  EXPECT_EQ(le(header, 16, 4), 16u);
  EXPECT_EQ(le(header, 20, 2), 1u); // PCM
  EXPECT_EQ(le(header, 22, 2), 1u); // mono
  EXPECT_EQ(le(header, 24, 4), static_cast<std::uint32_t>(kToneRate));
  EXPECT_EQ(le(header, 28, 4), static_cast<std::uint32_t>(kToneRate * 2));
  EXPECT_EQ(le(header, 32, 2), 2u);
  EXPECT_EQ(le(header, 34, 2), 16u);
  EXPECT_EQ(header.substr(36, 4), "data");
  EXPECT_EQ(le(header, 40, 4), wav.size() - 44);
  EXPECT_EQ(wav.size() - 44, std::uint64_t{kToneSeconds} * kToneRate * 2);
}

TEST(ToneWav, EachDemoStationHasItsOwnAudibleTone) {
  std::set<int> frequencies;
  for (std::int64_t id = 1; id <= 45; ++id) {
    const int f = tone_frequency(id);
    EXPECT_GE(f, 200);
    EXPECT_LE(f, 1200);
    frequencies.insert(f);
  }
  EXPECT_EQ(frequencies.size(), 45u);
  EXPECT_EQ(tone_frequency(1), 220);
  EXPECT_EQ(tone_frequency(45), 1100);
  EXPECT_EQ(tone_frequency(50), 200);
  EXPECT_EQ(tone_frequency(9002), 240);
}

TEST(ToneWav, SoundsAtItsFrequencyAndHalfScaleAnywhereInTheFile) {
  struct Case {
    int frequency;
    std::uint64_t second; // where in the file the measured second starts
  };
  const std::vector<Case> cases = {{220, 0}, {1100, 0}, {460, 1800}, {980, kToneSeconds - 1}};
  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.frequency) + " Hz at " + std::to_string(c.second) + " s");
    const ToneWav wav(c.frequency, kToneRate, kToneSeconds);
    const auto values = samples(read(wav, 44 + c.second * kToneRate * 2, kToneRate * 2));
    ASSERT_EQ(values.size(), static_cast<std::size_t>(kToneRate));
    EXPECT_NEAR(measured_frequency(values, kToneRate), c.frequency, 1.0);
    double sum = 0;
    int peak = 0;
    for (const int v : values) {
      sum += static_cast<double>(v) * v;
      peak = std::max(peak, std::abs(v));
    }
    EXPECT_NEAR(peak, 16384, 40);
    EXPECT_NEAR(std::sqrt(sum / values.size()) / 32768.0, 0.5 / std::sqrt(2.0), 0.005);
  }
}

TEST(ToneWav, AnyRangeGivesTheSameBytesAsTheWhole) {
  const ToneWav wav(300, kToneRate, 2);
  const auto whole = read(wav, 0, static_cast<std::size_t>(wav.size()) + 100);
  ASSERT_EQ(whole.size(), wav.size());
  struct Case {
    std::uint64_t offset;
    std::size_t length;
  };
  const std::vector<Case> cases = {{0, 1},  {3, 50},    {43, 2},       {45, 7},
                                   {1001, 4096}, {wav.size() - 3, 10}, {wav.size(), 5}};
  for (const auto &c : cases) {
    SCOPED_TRACE(std::to_string(c.offset) + "+" + std::to_string(c.length));
    const auto part = read(wav, c.offset, c.length);
    const auto expected_size = std::min<std::uint64_t>(c.length, wav.size() - c.offset);
    ASSERT_EQ(part.size(), expected_size);
    EXPECT_EQ(part, whole.substr(static_cast<std::size_t>(c.offset), part.size()));
  }
}

} // namespace
} // namespace station
