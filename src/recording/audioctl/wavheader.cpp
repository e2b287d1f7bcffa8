#include "wavheader.h"

#include <algorithm>

namespace {

void put16(std::string &out, std::uint16_t value)
{
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::string &out, std::uint32_t value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void put64(std::string &out, std::uint64_t value)
{
    put32(out, static_cast<std::uint32_t>(value & 0xFFFFFFFFu));
    put32(out, static_cast<std::uint32_t>(value >> 32));
}

std::uint32_t saturated(std::uint64_t value)
{
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(value, WavHeader::MaxRiffSize));
}

bool coded(const WavHeader::Format &format)
{
    return format.tag != WavHeader::TagPcm;
}

// "fmt " and, for the coded formats, "fact" with `frames`.
void putFormatChunks(std::string &out, const WavHeader::Format &format, std::uint32_t frames)
{
    out += "fmt ";
    put32(out, coded(format) ? 18 : 16);
    put16(out, format.tag);
    put16(out, format.channels);
    put32(out, format.sampleRate);
    put32(out, format.sampleRate * format.blockAlign());
    put16(out, format.blockAlign());
    put16(out, format.bitsPerSample);
    if (coded(format)) {
        put16(out, 0); // no extra format bytes
        out += "fact";
        put32(out, 4);
        put32(out, frames);
    }
}

std::uint64_t frameCount(const WavHeader::Format &format, std::uint64_t dataBytes)
{
    return format.blockAlign() > 0 ? dataBytes / format.blockAlign() : 0;
}

} // namespace

namespace WavHeader {

std::uint64_t plainSize(const Format &format)
{
    // RIFF header, fmt chunk (16 or 18 bytes), fact chunk for coded formats, data header.
    return 12 + (coded(format) ? 8 + 18 + 12 : 8 + 16) + 8;
}

std::uint64_t rf64Size(const Format &format)
{
    return plainSize(format) + Ds64ChunkSize;
}

std::uint64_t plainRiffSize(const Format &format, std::uint64_t dataBytes)
{
    return plainSize(format) - 8 + dataBytes + (dataBytes % 2);
}

std::string plain(const Format &format, std::uint64_t dataBytes)
{
    std::string out;
    out += "RIFF";
    put32(out, saturated(plainRiffSize(format, dataBytes)));
    out += "WAVE";
    putFormatChunks(out, format, saturated(frameCount(format, dataBytes)));
    out += "data";
    put32(out, saturated(dataBytes));
    return out;
}

std::string rf64(const Format &format, std::uint64_t dataBytes)
{
    std::string out;
    out += "RF64";
    put32(out, 0xFFFFFFFFu); // the sizes are in ds64
    out += "WAVE";
    out += "ds64";
    put32(out, 28);
    put64(out, rf64Size(format) - 8 + dataBytes + (dataBytes % 2));
    put64(out, dataBytes);
    put64(out, frameCount(format, dataBytes));
    put32(out, 0); // no table of other large chunks
    putFormatChunks(out, format, 0xFFFFFFFFu);
    out += "data";
    put32(out, 0xFFFFFFFFu);
    return out;
}

} // namespace WavHeader
