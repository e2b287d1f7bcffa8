#include "audiocheck.h"

#include <sndfile.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cmath>
#include <memory>

DecodedAudio decodeWithSndfile(const std::string &path, int rawRate)
{
    DecodedAudio audio;
    SF_INFO info {};
    if (rawRate > 0) {
        info.format = SF_FORMAT_RAW | SF_FORMAT_VOX_ADPCM;
        info.channels = 1;
        info.samplerate = rawRate;
    }
    SNDFILE *file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        audio.error = sf_strerror(nullptr);
        return audio;
    }
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    std::vector<float> block(4096 * static_cast<std::size_t>(info.channels));
    for (;;) {
        const sf_count_t frames = sf_readf_float(file, block.data(), 4096);
        if (frames <= 0)
            break;
        for (sf_count_t f = 0; f < frames; ++f) {
            float sum = 0;
            for (int c = 0; c < info.channels; ++c)
                sum += block[static_cast<std::size_t>(f * info.channels + c)];
            audio.samples.push_back(sum / static_cast<float>(info.channels));
        }
    }
    sf_close(file);
    return audio;
}

DecodedAudio decodeWithFFmpeg(const std::string &path)
{
    DecodedAudio audio;
    AVFormatContext *format = nullptr;
    if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) {
        audio.error = "cannot open";
        return audio;
    }
    std::unique_ptr<AVFormatContext *, void (*)(AVFormatContext **)> formatGuard(&format, avformat_close_input);
    if (avformat_find_stream_info(format, nullptr) < 0) {
        audio.error = "no stream info";
        return audio;
    }
    const AVCodec *codec = nullptr;
    const int stream = av_find_best_stream(format, AVMEDIA_TYPE_AUDIO, -1, -1, &codec, 0);
    if (stream < 0 || !codec) {
        audio.error = "no audio stream";
        return audio;
    }
    AVCodecContext *context = avcodec_alloc_context3(codec);
    avcodec_parameters_to_context(context, format->streams[stream]->codecpar);
    if (avcodec_open2(context, codec, nullptr) < 0) {
        avcodec_free_context(&context);
        audio.error = "cannot open decoder";
        return audio;
    }
    audio.sampleRate = context->sample_rate;
    audio.channels = context->ch_layout.nb_channels;
    // Converted to interleaved floats of the same channels, then averaged here: FFmpeg's
    // own down-mix would scale the level.
    SwrContext *swr = nullptr;
    swr_alloc_set_opts2(&swr, &context->ch_layout, AV_SAMPLE_FMT_FLT, context->sample_rate, &context->ch_layout,
                        context->sample_fmt, context->sample_rate, 0, nullptr);
    const int channels = std::max(1, audio.channels);
    std::vector<float> interleaved;
    swr_init(swr);
    AVPacket *packet = av_packet_alloc();
    AVFrame *frame = av_frame_alloc();
    auto receive = [&] {
        while (avcodec_receive_frame(context, frame) >= 0) {
            interleaved.resize(static_cast<std::size_t>((frame->nb_samples + 64) * channels));
            auto *out = reinterpret_cast<uint8_t *>(interleaved.data());
            const int done = swr_convert(swr, &out, frame->nb_samples + 64,
                                         const_cast<const uint8_t **>(frame->extended_data), frame->nb_samples);
            for (int f = 0; f < done; ++f) {
                float sum = 0;
                for (int c = 0; c < channels; ++c)
                    sum += interleaved[static_cast<std::size_t>(f * channels + c)];
                audio.samples.push_back(sum / static_cast<float>(channels));
            }
        }
    };
    while (av_read_frame(format, packet) >= 0) {
        if (packet->stream_index == stream && avcodec_send_packet(context, packet) >= 0)
            receive();
        av_packet_unref(packet);
    }
    avcodec_send_packet(context, nullptr);
    receive();
    av_frame_free(&frame);
    av_packet_free(&packet);
    swr_free(&swr);
    avcodec_free_context(&context);
    if (audio.samples.empty())
        audio.error = "no samples";
    return audio;
}

double toneFrequency(const DecodedAudio &audio)
{
    const std::size_t n = audio.samples.size();
    if (n < 16 || audio.sampleRate <= 0)
        return 0;
    const std::size_t begin = n / 5;
    const std::size_t end = n - n / 5;
    long crossings = 0;
    std::size_t first = 0;
    std::size_t last = 0;
    for (std::size_t i = begin + 1; i < end; ++i) {
        if (audio.samples[i - 1] < 0 && audio.samples[i] >= 0) {
            if (crossings == 0)
                first = i;
            last = i;
            ++crossings;
        }
    }
    if (crossings < 2)
        return 0;
    return static_cast<double>(crossings - 1) * audio.sampleRate / static_cast<double>(last - first);
}

double rms(const DecodedAudio &audio)
{
    double sum = 0;
    for (float s : audio.samples)
        sum += static_cast<double>(s) * s;
    return audio.samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(audio.samples.size()));
}

std::vector<float> sineFrames(double frequency, double amplitude, int sampleRate, int frames, long startFrame)
{
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(startFrame + i) / sampleRate;
        const auto v = static_cast<float>(amplitude * std::sin(2 * M_PI * frequency * t));
        out[static_cast<std::size_t>(i) * 2] = v;
        out[static_cast<std::size_t>(i) * 2 + 1] = v;
    }
    return out;
}

bool writeToneFile(const std::string &path, int seconds)
{
    SF_INFO info {};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE *file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!file)
        return false;
    const std::vector<float> frames = sineFrames(1000, 0.5, 44100, 44100 * seconds);
    sf_writef_float(file, frames.data(), 44100 * seconds);
    return sf_close(file) == 0;
}
