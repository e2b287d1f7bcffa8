#include "encoder.h"

#include "bytesink.h"
#include "ffmpegencoder.h"
#include "formatcatalog.h"
#include "sndfileencoder.h"
#include "wavencoder.h"

std::unique_ptr<Encoder> openEncoder(const EncoderSetting &setting, std::unique_ptr<ByteSink> sink, int channels,
                                     int sampleRate, std::string &error)
{
    if (setting.library == EncoderLibrary::FFmpeg) {
        auto encoder = std::make_unique<FFmpegEncoder>(std::move(sink));
        if (encoder->open(setting, channels, sampleRate))
            return encoder;
        error = encoder->error();
        encoder->close();
        return nullptr;
    }
    if (WavEncoder::writes(setting.sndfileFormat)) {
        auto encoder = std::make_unique<WavEncoder>(std::move(sink));
        if (encoder->open(setting, channels, sampleRate))
            return encoder;
        error = encoder->error();
        encoder->close();
        return nullptr;
    }
    auto encoder = std::make_unique<SndFileEncoder>(std::move(sink), setting.periodicHeader);
    if (encoder->open(setting, channels, sampleRate))
        return encoder;
    error = encoder->error();
    encoder->close();
    return nullptr;
}
