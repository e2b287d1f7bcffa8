#include "ffmpegencoder.h"

#include "bytesink.h"
#include "formatcatalog.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
}

#include <algorithm>
#include <cerrno>

namespace {

constexpr int IoBufferSize = 64 * 1024;

int writePacket(void *opaque, uint8_t *data, int size)
{
    const std::int64_t done = static_cast<ByteSink *>(opaque)->write(data, size);
    if (done != size) {
        const int failure = static_cast<ByteSink *>(opaque)->failure();
        return AVERROR(failure != 0 ? failure : EIO);
    }
    return size;
}

int64_t seekSink(void *opaque, int64_t offset, int whence)
{
    auto *sink = static_cast<ByteSink *>(opaque);
    if (whence & AVSEEK_SIZE)
        return sink->length();
    const std::int64_t position = sink->seek(offset, whence & ~AVSEEK_FORCE);
    return position < 0 ? AVERROR(EIO) : position;
}

std::string describe(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

} // namespace

FFmpegEncoder::FFmpegEncoder(std::unique_ptr<ByteSink> sink)
    : m_sink(std::move(sink))
{
}

FFmpegEncoder::~FFmpegEncoder()
{
    close();
}

void FFmpegEncoder::setFailure(const std::string &what, int code)
{
    if (!m_error.empty())
        return;
    if (m_sink->failure() != 0)
        m_error = describeWriteFailure(m_sink->failure());
    else
        m_error = what + (code < 0 ? " (" + describe(code) + ")" : std::string());
}

bool FFmpegEncoder::open(const EncoderSetting &setting, int channels, int sampleRate)
{
    m_channels = channels;
    // The coders' progress notes would only clutter the program's output.
    av_log_set_level(AV_LOG_ERROR);
    const AVCodec *codec = avcodec_find_encoder_by_name(setting.codec.c_str());
    const AVOutputFormat *container = av_guess_format(setting.container.c_str(), nullptr, nullptr);
    if (!codec || !container) {
        m_error = "Codificatore " + setting.codec + " non disponibile.";
        return false;
    }
    int result = avformat_alloc_output_context2(&m_format, container, nullptr, nullptr);
    if (result < 0) {
        setFailure("Impossibile preparare il file", result);
        return false;
    }
    auto *buffer = static_cast<unsigned char *>(av_malloc(IoBufferSize));
    m_io = avio_alloc_context(buffer, IoBufferSize, 1, m_sink.get(), nullptr, writePacket, seekSink);
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;

    m_codec = avcodec_alloc_context3(codec);
    m_codec->sample_fmt = codec->sample_fmts ? codec->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
    m_codec->sample_rate = sampleRate;
    av_channel_layout_default(&m_codec->ch_layout, channels);
    m_codec->bit_rate = setting.bitRate;
    m_codec->time_base = AVRational {1, sampleRate};
    if (container->flags & AVFMT_GLOBALHEADER)
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    result = avcodec_open2(m_codec, codec, nullptr);
    if (result < 0 || m_codec->sample_fmt != AV_SAMPLE_FMT_FLTP) {
        setFailure("Impossibile avviare il codificatore " + setting.codec, result);
        return false;
    }
    m_frameSize = m_codec->frame_size > 0 ? m_codec->frame_size : 1024;
    m_smallLastFrame = (codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;

    m_stream = avformat_new_stream(m_format, nullptr);
    avcodec_parameters_from_context(m_stream->codecpar, m_codec);
    m_stream->time_base = m_codec->time_base;

    AVDictionary *options = nullptr;
    if (setting.container == "mp4") {
        av_dict_set(&options, "movflags", "empty_moov+default_base_moof", 0);
        av_dict_set(&options, "frag_duration", "1000000", 0);
    }
    result = avformat_write_header(m_format, &options);
    av_dict_free(&options);
    if (result < 0) {
        setFailure("Impossibile scrivere l'intestazione del file", result);
        return false;
    }
    m_headerWritten = true;
    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    m_pending.reserve(static_cast<std::size_t>(m_frameSize * channels));
    return true;
}

bool FFmpegEncoder::drain()
{
    for (;;) {
        const int result = avcodec_receive_packet(m_codec, m_packet);
        if (result == AVERROR(EAGAIN) || result == AVERROR_EOF)
            return true;
        if (result < 0) {
            setFailure("Errore del codificatore", result);
            return false;
        }
        av_packet_rescale_ts(m_packet, m_codec->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        const int written = av_write_frame(m_format, m_packet);
        av_packet_unref(m_packet);
        if (written < 0 || m_io->error < 0) {
            setFailure("Errore di scrittura del file", written < 0 ? written : m_io->error);
            return false;
        }
    }
}

bool FFmpegEncoder::encodeFrame(bool last)
{
    const int have = static_cast<int>(m_pending.size()) / m_channels;
    const int samples = (last && m_smallLastFrame) ? have : m_frameSize;
    av_frame_unref(m_frame);
    m_frame->nb_samples = samples;
    m_frame->format = m_codec->sample_fmt;
    m_frame->sample_rate = m_codec->sample_rate;
    av_channel_layout_copy(&m_frame->ch_layout, &m_codec->ch_layout);
    if (av_frame_get_buffer(m_frame, 0) < 0) {
        setFailure("Memoria insufficiente", -1);
        return false;
    }
    for (int c = 0; c < m_channels; ++c) {
        auto *plane = reinterpret_cast<float *>(m_frame->extended_data[c]);
        for (int i = 0; i < samples; ++i)
            plane[i] = i < have ? m_pending[static_cast<std::size_t>(i * m_channels + c)] : 0.0f;
    }
    m_frame->pts = m_pts;
    m_pts += samples;
    m_pending.clear();
    const int result = avcodec_send_frame(m_codec, m_frame);
    if (result < 0) {
        setFailure("Errore del codificatore", result);
        return false;
    }
    return drain();
}

bool FFmpegEncoder::write(const float *frames, std::size_t frameCount)
{
    if (!m_headerWritten || !m_error.empty())
        return false;
    const std::size_t frameValues = static_cast<std::size_t>(m_frameSize * m_channels);
    std::size_t offset = 0;
    const std::size_t total = frameCount * static_cast<std::size_t>(m_channels);
    while (offset < total) {
        const std::size_t take = std::min(frameValues - m_pending.size(), total - offset);
        m_pending.insert(m_pending.end(), frames + offset, frames + offset + take);
        offset += take;
        if (m_pending.size() == frameValues && !encodeFrame(false))
            return false;
    }
    return true;
}

bool FFmpegEncoder::close()
{
    if (m_headerWritten) {
        m_headerWritten = false;
        if (m_error.empty() && !m_pending.empty())
            encodeFrame(true);
        if (m_error.empty() && avcodec_send_frame(m_codec, nullptr) >= 0)
            drain();
        // The trailer completes the index (ASF) or the last fragment (MP4); after a write
        // failure it is still tried, since the data already written stays readable.
        const int result = av_write_trailer(m_format);
        avio_flush(m_io);
        if (result < 0)
            setFailure("Errore nella chiusura del file", result);
    }
    release();
    if (!m_sink->close())
        setFailure("Errore nella chiusura del file", -1);
    return m_error.empty();
}

void FFmpegEncoder::release()
{
    av_packet_free(&m_packet);
    av_frame_free(&m_frame);
    avcodec_free_context(&m_codec);
    if (m_format) {
        avformat_free_context(m_format);
        m_format = nullptr;
    }
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
}
