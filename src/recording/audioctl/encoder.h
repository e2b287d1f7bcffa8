#pragma once

#include <cstddef>
#include <memory>
#include <string>

class ByteSink;
struct EncoderSetting;

// Turns captured samples into a file. Samples are interleaved floats (-1..1) with the
// channel count and rate given at opening.
class Encoder
{
public:
    virtual ~Encoder() = default;
    // False when the file can take no more; error() says why and the encoder must be closed.
    virtual bool write(const float *frames, std::size_t frameCount) = 0;
    // Brings the file's header up to date, so the file is valid if the process dies.
    virtual void checkpoint() {}
    // Finishes and closes the file. False when that failed.
    virtual bool close() = 0;
    virtual const std::string &error() const = 0;
};

// Opens an encoder for `setting` over `sink`; nullptr with `error` set when it cannot.
std::unique_ptr<Encoder> openEncoder(const EncoderSetting &setting, std::unique_ptr<ByteSink> sink, int channels,
                                     int sampleRate, std::string &error);
