#pragma once

#include <cstdint>
#include <string>

// The headers of a WAV file written by this component. Below the 32-bit size limit of
// RIFF a file is a plain RIFF/WAVE file (a "fmt " chunk, a "fact" chunk for the coded
// formats, then "data"), as every player reads it. A file that outgrows that limit
// becomes RF64: the same chunks after a "ds64" chunk that carries the 64-bit sizes.
namespace WavHeader {

inline constexpr std::uint16_t TagPcm = 1;
inline constexpr std::uint16_t TagFloat = 3;
inline constexpr std::uint16_t TagALaw = 6;
inline constexpr std::uint16_t TagMuLaw = 7;

// The largest RIFF size a plain file can declare.
inline constexpr std::uint64_t MaxRiffSize = 0xFFFFFFFFu;
// What RF64 adds in front of the chunks of a plain file: the "ds64" chunk.
inline constexpr std::uint64_t Ds64ChunkSize = 8 + 28;

struct Format
{
    std::uint16_t tag = TagPcm;
    std::uint16_t channels = 2;
    std::uint32_t sampleRate = 44100;
    std::uint16_t bitsPerSample = 16;

    std::uint16_t blockAlign() const { return static_cast<std::uint16_t>(channels * (bitsPerSample / 8)); }
};

// Bytes before the first sample.
std::uint64_t plainSize(const Format &format);
std::uint64_t rf64Size(const Format &format);
// The RIFF size of a plain file holding `dataBytes` of samples (with the pad byte an odd
// count needs); a plain file can hold them when this is at most the RIFF limit.
std::uint64_t plainRiffSize(const Format &format, std::uint64_t dataBytes);

// The header bytes; `plain` cuts sizes that do not fit 32 bits to the largest that do.
std::string plain(const Format &format, std::uint64_t dataBytes);
std::string rf64(const Format &format, std::uint64_t dataBytes);

} // namespace WavHeader
