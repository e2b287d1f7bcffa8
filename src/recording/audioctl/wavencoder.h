#pragma once

#include "encoder.h"
#include "wavheader.h"

#include <cstdint>
#include <memory>
#include <string>

class SndFileEncoder;

// WAV with linear PCM, float, A-law or u-law samples. The header is written here: a plain
// RIFF file while the recording fits in one, RF64 once it outgrows the 32-bit sizes (the
// samples then move up by the size of the "ds64" chunk when the file is closed). The
// samples are coded by libsndfile as headerless data behind the header.
class WavEncoder final : public Encoder
{
public:
    // Use openEncoder(); `sink` must be open. `riffLimit` is the largest RIFF size a plain
    // file may declare: tests lower it to reach RF64 without writing gigabytes.
    explicit WavEncoder(std::unique_ptr<ByteSink> sink, std::uint64_t riffLimit = WavHeader::MaxRiffSize);
    ~WavEncoder() override;

    // True for the libsndfile WAV codings written here.
    static bool writes(int sndfileFormat);

    bool open(const EncoderSetting &setting, int channels, int sampleRate);
    bool write(const float *frames, std::size_t frameCount) override;
    void checkpoint() override;
    bool close() override;
    const std::string &error() const override { return m_error; }

private:
    std::uint64_t dataBytes();
    std::string plainHeaderWithin(std::uint64_t data) const;
    bool writeAt(std::uint64_t position, const char *data, std::uint64_t size);
    bool readAt(std::uint64_t position, char *data, std::uint64_t size);
    bool moveSamplesUp(std::uint64_t data);
    void setFailure(const std::string &what);

    std::unique_ptr<ByteSink> m_sink;
    std::unique_ptr<SndFileEncoder> m_samples; // writes through a view of m_sink
    WavHeader::Format m_format;
    std::uint64_t m_riffLimit;
    std::uint64_t m_dataStart = 0;
    bool m_open = false;
    std::string m_error;
};
