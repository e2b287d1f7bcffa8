#include "formatcatalog.h"

#include <sndfile.h>

namespace {

EncoderSetting pcm(const char *name, int format, bool header = true)
{
    EncoderSetting s;
    s.name = name;
    s.sndfileFormat = format;
    s.periodicHeader = header;
    return s;
}

EncoderSetting mp3(int kbps)
{
    EncoderSetting s;
    s.name = std::to_string(kbps) + " kbit/s CBR";
    s.sndfileFormat = SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III;
    s.constantBitRate = true;
    // libsndfile maps the level linearly from 320 kbit/s (0) to 32 kbit/s (1).
    s.compressionLevel = (320.0 - kbps) / (320.0 - 32.0);
    return s;
}

EncoderSetting vorbis(int quality)
{
    EncoderSetting s;
    s.name = "Vorbis quality " + std::to_string(quality) + (quality == 10 ? " (best)" : "");
    s.sndfileFormat = SF_FORMAT_OGG | SF_FORMAT_VORBIS;
    s.compressionLevel = 1.0 - quality / 10.0;
    return s;
}

EncoderSetting vox(int rate)
{
    EncoderSetting s;
    s.name = "Dialogic ADPCM " + std::to_string(rate) + " Hz mono";
    s.sndfileFormat = SF_FORMAT_RAW | SF_FORMAT_VOX_ADPCM;
    s.channels = 1;
    s.sampleRate = rate;
    return s;
}

EncoderSetting ffmpeg(const char *container, const char *codec, const char *kind, int kbps)
{
    EncoderSetting s;
    s.name = std::string(kind) + " " + std::to_string(kbps) + " kbit/s";
    s.library = EncoderLibrary::FFmpeg;
    s.container = container;
    s.codec = codec;
    s.bitRate = kbps * 1000;
    return s;
}

EncoderSetting flac(const char *name, int subtype, int level)
{
    EncoderSetting s;
    s.name = name;
    s.sndfileFormat = SF_FORMAT_FLAC | subtype;
    s.compressionLevel = level / 8.0;
    return s;
}

std::vector<AudioFormat> build()
{
    // WAV is a plain RIFF file; WavEncoder turns one that outgrows 4 GiB into RF64.
    const int wav = SF_FORMAT_WAV;
    std::vector<AudioFormat> formats;
    formats.push_back({"WAV",
                       {pcm("PCM 16 bit", wav | SF_FORMAT_PCM_16), pcm("PCM 24 bit", wav | SF_FORMAT_PCM_24),
                        pcm("PCM 32 bit float", wav | SF_FORMAT_FLOAT), pcm("PCM 8 bit", wav | SF_FORMAT_PCM_U8),
                        pcm("A-law 8 bit", wav | SF_FORMAT_ALAW), pcm("u-law 8 bit", wav | SF_FORMAT_ULAW),
                        pcm("IMA ADPCM 4 bit", SF_FORMAT_WAV | SF_FORMAT_IMA_ADPCM),
                        pcm("MS ADPCM 4 bit", SF_FORMAT_WAV | SF_FORMAT_MS_ADPCM)}});
    formats.push_back({"MP3", {mp3(320), mp3(256), mp3(192), mp3(160), mp3(128), mp3(96), mp3(64)}});
    formats.push_back({"WMA",
                       {ffmpeg("asf", "wmav2", "WMA", 192), ffmpeg("asf", "wmav2", "WMA", 160),
                        ffmpeg("asf", "wmav2", "WMA", 128), ffmpeg("asf", "wmav2", "WMA", 96),
                        ffmpeg("asf", "wmav2", "WMA", 64)}});
    formats.push_back({"OGG",
                       {vorbis(10), vorbis(8), vorbis(6), vorbis(5), vorbis(4), vorbis(3), vorbis(2), vorbis(1),
                        vorbis(0)}});
    formats.push_back({"VOX", {vox(8000), vox(6000), vox(11025), vox(22050), vox(44100)}});
    formats.push_back({"AU",
                       {pcm("PCM 16 bit", SF_FORMAT_AU | SF_FORMAT_PCM_16),
                        pcm("PCM 24 bit", SF_FORMAT_AU | SF_FORMAT_PCM_24),
                        pcm("PCM 32 bit float", SF_FORMAT_AU | SF_FORMAT_FLOAT),
                        pcm("A-law 8 bit", SF_FORMAT_AU | SF_FORMAT_ALAW),
                        pcm("u-law 8 bit", SF_FORMAT_AU | SF_FORMAT_ULAW)}});
    formats.push_back({"AIFF",
                       {pcm("PCM 16 bit", SF_FORMAT_AIFF | SF_FORMAT_PCM_16),
                        pcm("PCM 24 bit", SF_FORMAT_AIFF | SF_FORMAT_PCM_24),
                        pcm("PCM 32 bit float", SF_FORMAT_AIFF | SF_FORMAT_FLOAT),
                        pcm("A-law 8 bit", SF_FORMAT_AIFF | SF_FORMAT_ALAW),
                        pcm("u-law 8 bit", SF_FORMAT_AIFF | SF_FORMAT_ULAW),
                        pcm("IMA ADPCM 4 bit", SF_FORMAT_AIFF | SF_FORMAT_IMA_ADPCM)}});
    formats.push_back({"MP4",
                       {ffmpeg("mp4", "aac", "AAC", 256), ffmpeg("mp4", "aac", "AAC", 192),
                        ffmpeg("mp4", "aac", "AAC", 160), ffmpeg("mp4", "aac", "AAC", 128),
                        ffmpeg("mp4", "aac", "AAC", 96), ffmpeg("mp4", "aac", "AAC", 64)}});
    formats.push_back({"FLAC",
                       {flac("16 bit, level 5 (default)", SF_FORMAT_PCM_16, 5),
                        flac("16 bit, level 0 (fastest)", SF_FORMAT_PCM_16, 0),
                        flac("16 bit, level 8 (smallest)", SF_FORMAT_PCM_16, 8),
                        flac("24 bit, level 5", SF_FORMAT_PCM_24, 5)}});
    return formats;
}

} // namespace

namespace FormatCatalog {

const std::vector<AudioFormat> &formats()
{
    static const std::vector<AudioFormat> catalog = build();
    return catalog;
}

} // namespace FormatCatalog
