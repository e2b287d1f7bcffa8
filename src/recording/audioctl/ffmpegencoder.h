#pragma once

#include "encoder.h"

#include <cstdint>
#include <memory>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;

// WMA (ASF with wmav2) and MP4 (AAC) through FFmpeg, writing through a ByteSink. MP4 is
// written fragmented (a fragment a second), so a file cut short by a full disk or a
// killed process still plays up to its last fragment.
class FFmpegEncoder final : public Encoder
{
public:
    explicit FFmpegEncoder(std::unique_ptr<ByteSink> sink);
    ~FFmpegEncoder() override;

    bool open(const EncoderSetting &setting, int channels, int sampleRate);
    bool write(const float *frames, std::size_t frameCount) override;
    bool close() override;
    const std::string &error() const override { return m_error; }

private:
    bool encodeFrame(bool last);
    bool drain();
    void setFailure(const std::string &what, int code);
    void release();

    std::unique_ptr<ByteSink> m_sink;
    AVIOContext *m_io = nullptr;
    AVFormatContext *m_format = nullptr;
    AVCodecContext *m_codec = nullptr;
    AVStream *m_stream = nullptr;
    AVFrame *m_frame = nullptr;
    AVPacket *m_packet = nullptr;
    int m_channels = 0;
    int m_frameSize = 0;
    bool m_smallLastFrame = false;
    bool m_headerWritten = false;
    std::int64_t m_pts = 0;
    std::vector<float> m_pending; // interleaved, fewer than m_frameSize frames
    std::string m_error;
};
