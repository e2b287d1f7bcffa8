#pragma once

#include "encoder.h"
#include "sampleadapter.h"

#include <sndfile.h>

#include <memory>
#include <vector>

// WAV, MP3, OGG, VOX, AU, AIFF and FLAC through libsndfile, writing through a ByteSink.
class SndFileEncoder final : public Encoder
{
public:
    // Use openEncoder(); `sink` must be open.
    SndFileEncoder(std::unique_ptr<ByteSink> sink, bool periodicHeader);
    ~SndFileEncoder() override;

    bool open(const EncoderSetting &setting, int channels, int sampleRate);
    bool write(const float *frames, std::size_t frameCount) override;
    void checkpoint() override;
    bool close() override;
    const std::string &error() const override { return m_error; }

private:
    bool writeConverted(const float *frames, std::size_t frameCount);
    void setFailure(const std::string &what);

    std::unique_ptr<ByteSink> m_sink;
    std::unique_ptr<SampleAdapter> m_adapter;
    SNDFILE *m_file = nullptr;
    bool m_periodicHeader;
    // Dialogic ADPCM packs two samples a byte: frames go to it in pairs.
    bool m_pairs = false;
    std::vector<float> m_carry;
    std::vector<float> m_paired;
    std::string m_error;
};
