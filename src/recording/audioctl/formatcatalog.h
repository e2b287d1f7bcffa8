#pragma once

#include <string>
#include <vector>

// The formats the component writes and the compression settings of each.
enum class EncoderLibrary { SndFile, FFmpeg };

struct EncoderSetting
{
    std::string name;                 // shown in the program's "Wave Format" list
    EncoderLibrary library = EncoderLibrary::SndFile;
    int sndfileFormat = 0;            // SF_FORMAT_* major | subtype
    double compressionLevel = -1;     // SFC_SET_COMPRESSION_LEVEL, -1 = library default
    bool constantBitRate = false;     // SFC_SET_BITRATE_MODE constant
    int channels = 0;                 // 0 = as captured
    int sampleRate = 0;               // 0 = as captured
    std::string container;            // FFmpeg muxer
    std::string codec;                // FFmpeg encoder
    int bitRate = 0;                  // FFmpeg, bits per second
    bool periodicHeader = false;      // the header carries the length: refresh it while recording
};

struct AudioFormat
{
    std::string name; // "WAV", "MP3", ...
    std::vector<EncoderSetting> settings;
};

namespace FormatCatalog {
inline constexpr int FormatCount = 9;
// The formats in the component's order: WAV, MP3, WMA, OGG, VOX, AU, AIFF, MP4, FLAC.
const std::vector<AudioFormat> &formats();
}
