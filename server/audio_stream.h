// The sound of the player pages: one sine tone per station, as a 16-bit PCM
// WAV file that is never stored but computed for whatever byte range a
// player asks for.
//
// Station id -> frequency: 200 Hz + 20 Hz x (id mod 50), so the demo
// stations 1..45 each have their own tone (220..1100 Hz). Mono, 22050
// samples per second, amplitude 0.5 of full scale, four hours long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace station {

inline constexpr int kToneRate = 22050;
inline constexpr double kToneAmplitude = 0.5;
inline constexpr std::uint32_t kToneSeconds = 4 * 3600;

int tone_frequency(std::int64_t station_id);

// The 44-byte header of a mono 16-bit PCM WAV file with `data_bytes` of samples.
std::string wav_header(std::uint32_t data_bytes, int sample_rate);

class ToneWav {
public:
  ToneWav(int frequency, int sample_rate, std::uint32_t seconds);

  std::uint64_t size() const; // header and samples
  int frequency() const { return frequency_; }

  // The bytes [offset, offset + length) of the file into `out`; bytes past
  // the end are not written. Returns how many were.
  std::size_t read(std::uint64_t offset, std::size_t length, char *out) const;

private:
  std::int16_t sample(std::uint64_t index) const;

  int frequency_;
  int rate_;
  std::uint32_t data_bytes_;
  std::string header_;
};

} // namespace station
