#include "audio_stream.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace station {

namespace {

void put_le(std::string &out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i)
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// Whole frames only, and within the 4 GiB a WAV file can say.
std::uint32_t data_size(std::uint32_t seconds, int sample_rate) {
  const std::uint64_t bytes = std::uint64_t{seconds} * static_cast<std::uint64_t>(sample_rate) * 2;
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(bytes, 0xFFFFFF00u));
}

} // namespace

int tone_frequency(std::int64_t station_id) {
  const auto step = ((station_id % 50) + 50) % 50;
  return 200 + 20 * static_cast<int>(step);
}

std::string wav_header(std::uint32_t data_bytes, int sample_rate) {
  const auto rate = static_cast<std::uint32_t>(sample_rate);
  std::string header = "RIFF";
  put_le(header, 36 + data_bytes, 4);
  header += "WAVEfmt ";
  put_le(header, 16, 4);       // format chunk size
  put_le(header, 1, 2);        // PCM
  put_le(header, 1, 2);        // mono
  put_le(header, rate, 4);
  put_le(header, rate * 2, 4); // bytes per second
  put_le(header, 2, 2);        // bytes per frame
  put_le(header, 16, 2);       // bits per sample
  header += "data";
  put_le(header, data_bytes, 4);
  return header;
}

ToneWav::ToneWav(int frequency, int sample_rate, std::uint32_t seconds)
    : frequency_(frequency), rate_(sample_rate), data_bytes_(data_size(seconds, sample_rate)),
      header_(wav_header(data_bytes_, sample_rate)) {}

std::uint64_t ToneWav::size() const { return header_.size() + data_bytes_; }

std::int16_t ToneWav::sample(std::uint64_t index) const {
  // The phase from whole numbers, so that the tone does not drift however
  // far into the file a player seeks.
  const auto rate = static_cast<std::uint64_t>(rate_);
  const auto cycle = (index % rate) * static_cast<std::uint64_t>(frequency_) % rate;
  const double phase = 2.0 * std::numbers::pi * static_cast<double>(cycle) / static_cast<double>(rate);
  return static_cast<std::int16_t>(std::lround(kToneAmplitude * 32767.0 * std::sin(phase)));
}

std::size_t ToneWav::read(std::uint64_t offset, std::size_t length, char *out) const {
  const std::uint64_t end = std::min<std::uint64_t>(size(), offset + length);
  std::size_t written = 0;
  for (std::uint64_t at = offset; at < end; ++at, ++written) {
    if (at < header_.size()) {
      out[written] = header_[at];
      continue;
    }
    const std::uint64_t data_at = at - header_.size();
    const auto value = static_cast<std::uint16_t>(sample(data_at / 2));
    out[written] = static_cast<char>(data_at % 2 == 0 ? value & 0xFF : value >> 8);
  }
  return written;
}

} // namespace station
