#include "sampleadapter.h"

extern "C" {
#include <libavutil/channel_layout.h>
#include <libavutil/samplefmt.h>
#include <libswresample/swresample.h>
}

SampleAdapter::SampleAdapter(int inChannels, int inRate, int outChannels, int outRate)
    : m_inChannels(inChannels)
    , m_inRate(inRate)
    , m_outRate(outRate)
    , m_outChannels(outChannels)
{
    AVChannelLayout in {};
    AVChannelLayout out {};
    // Channels are mixed here before the rate conversion.
    const int mixedChannels = outChannels == 1 ? 1 : inChannels;
    if (outChannels != 1 && outChannels != inChannels)
        return;
    av_channel_layout_default(&in, mixedChannels);
    av_channel_layout_default(&out, outChannels);
    if (swr_alloc_set_opts2(&m_swr, &out, AV_SAMPLE_FMT_FLT, outRate, &in, AV_SAMPLE_FMT_FLT, inRate, 0, nullptr) < 0
        || swr_init(m_swr) < 0)
        swr_free(&m_swr);
    av_channel_layout_uninit(&in);
    av_channel_layout_uninit(&out);
}

SampleAdapter::~SampleAdapter()
{
    swr_free(&m_swr);
}

const std::vector<float> &SampleAdapter::convert(const float *frames, std::size_t frameCount)
{
    const int capacity = static_cast<int>(
        av_rescale_rnd(swr_get_delay(m_swr, m_inRate) + static_cast<int64_t>(frameCount), m_outRate, m_inRate,
                       AV_ROUND_UP)) + 16;
    m_out.resize(static_cast<std::size_t>(capacity) * static_cast<std::size_t>(m_outChannels));
    auto *outData = reinterpret_cast<uint8_t *>(m_out.data());
    if (frames && m_outChannels == 1 && m_inChannels > 1) {
        m_mixed.resize(frameCount);
        for (std::size_t f = 0; f < frameCount; ++f) {
            float sum = 0;
            for (int c = 0; c < m_inChannels; ++c)
                sum += frames[f * static_cast<std::size_t>(m_inChannels) + static_cast<std::size_t>(c)];
            m_mixed[f] = sum / static_cast<float>(m_inChannels);
        }
        frames = m_mixed.data();
    }
    const auto *inData = reinterpret_cast<const uint8_t *>(frames);
    const int done = swr_convert(m_swr, &outData, capacity, frames ? &inData : nullptr, static_cast<int>(frameCount));
    m_out.resize(done > 0 ? static_cast<std::size_t>(done) * static_cast<std::size_t>(m_outChannels) : 0);
    return m_out;
}
