#pragma once

#include <cstddef>
#include <vector>

struct SwrContext;

// Converts interleaved float samples to another rate (libswresample) and to mono. The
// mono mix is the channels' mean, so a full-scale recording cannot clip.
class SampleAdapter
{
public:
    SampleAdapter(int inChannels, int inRate, int outChannels, int outRate);
    ~SampleAdapter();
    SampleAdapter(const SampleAdapter &) = delete;
    SampleAdapter &operator=(const SampleAdapter &) = delete;

    bool valid() const { return m_swr != nullptr; }
    int outChannels() const { return m_outChannels; }
    // The converted frames of `frames`; with nullptr, the frames still held back.
    const std::vector<float> &convert(const float *frames, std::size_t frameCount);

private:
    SwrContext *m_swr = nullptr;
    int m_inChannels;
    int m_inRate;
    int m_outRate;
    int m_outChannels;
    std::vector<float> m_mixed;
    std::vector<float> m_out;
};
