// What closing a WAV recording that outgrew the RIFF limit costs: the samples move up by
// the 36 bytes of the "ds64" chunk when the file becomes RF64. The RIFF limit is lowered
// so that a file of a few hundred MiB stands for one of 4 GiB; the figure per GiB scales.
// Run: <build>/bench/recording/sintonia-rf64-bench [MiB, default 512] [folder, default /tmp]
#include "bytesink.h"
#include "formatcatalog.h"
#include "wavencoder.h"

#include <sndfile.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char **argv)
{
    const long mib = argc > 1 ? std::max(1L, std::strtol(argv[1], nullptr, 10)) : 512;
    const std::string path = std::string(argc > 2 ? argv[2] : "/tmp") + "/sintonia-rf64-bench.wav";
    const EncoderSetting &pcm16 = FormatCatalog::formats()[0].settings[0];
    const std::uint64_t dataBytes = static_cast<std::uint64_t>(mib) << 20;
    const std::size_t block = 4410; // 100 ms of stereo
    std::vector<float> frames(block * 2, 0.25f);

    auto sink = std::make_unique<FileSink>();
    if (!sink->open(path)) {
        std::fprintf(stderr, "cannot create %s\n", path.c_str());
        return 1;
    }
    // A limit just under the file's size: it ends as RF64.
    WavEncoder encoder(std::move(sink), dataBytes / 2);
    if (!encoder.open(pcm16, 2, 44100)) {
        std::fprintf(stderr, "%s\n", encoder.error().c_str());
        return 1;
    }
    const auto writing = std::chrono::steady_clock::now();
    std::uint64_t written = 0;
    while (written < dataBytes) {
        if (!encoder.write(frames.data(), block)) {
            std::fprintf(stderr, "%s\n", encoder.error().c_str());
            std::remove(path.c_str());
            return 1;
        }
        written += block * 4;
    }
    const double writeSeconds = secondsSince(writing);
    const auto closing = std::chrono::steady_clock::now();
    const bool closed = encoder.close();
    const double closeSeconds = secondsSince(closing);
    std::remove(path.c_str());
    if (!closed) {
        std::fprintf(stderr, "%s\n", encoder.error().c_str());
        return 1;
    }
    const double gib = static_cast<double>(written) / (1u << 30);
    std::printf("samples written: %.0f MiB in %.2f s (%.0f MiB/s)\n", gib * 1024, writeSeconds,
                gib * 1024 / writeSeconds);
    std::printf("close with the move to RF64: %.2f s, %.2f s per GiB, %.1f s for a 4 GiB file\n", closeSeconds,
                closeSeconds / gib, closeSeconds / gib * 4);
    return 0;
}
