// Figures of the recorder component:
//  1. encoding: CPU time per second of audio for each format (its first setting), as a
//     share of one core, from a minute of music-like stereo encoded on one thread;
//  2. live: with a PulseAudio server, CPU of the whole process while recording WAV and
//     MP3 from the default output's monitor, and recordings during which the
//     user-interface thread stalls for 1, 2, 5 and 10 s, checked for lost samples.
// Run: build-rec/bench/recording/sintonia-recording-bench (inside scripts/test-session.sh
// or with a private PulseAudio, see the README of the tests).
#include "audiocheck.h"
#include "bytesink.h"
#include "encoder.h"
#include "formatcatalog.h"
#include "recording/tcaudiorecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QEventLoop>


#include <cmath>
#include <cstdio>
#include <ctime>
#include <random>
#include <sys/resource.h>

namespace {

double threadCpuSeconds()
{
    timespec t {};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double processCpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval &v) { return static_cast<double>(v.tv_sec) + static_cast<double>(v.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Chords with a little noise: closer to music than a pure tone for the lossy coders.
std::vector<float> musicLike(int frames, long start, std::mt19937 &noise)
{
    std::uniform_real_distribution<float> hiss(-0.05f, 0.05f);
    std::vector<float> out(static_cast<std::size_t>(frames) * 2);
    for (int i = 0; i < frames; ++i) {
        const double t = static_cast<double>(start + i) / 44100;
        const double v = 0.2 * std::sin(2 * M_PI * 220 * t) + 0.15 * std::sin(2 * M_PI * 277.2 * t)
            + 0.1 * std::sin(2 * M_PI * 329.6 * t) * std::sin(2 * M_PI * 0.5 * t);
        out[static_cast<std::size_t>(i) * 2] = static_cast<float>(v) + hiss(noise);
        out[static_cast<std::size_t>(i) * 2 + 1] = static_cast<float>(v * 0.8) + hiss(noise);
    }
    return out;
}

void encodingFigures(const QString &folder)
{
    std::printf("Encoding, %s, one thread, 60 s of stereo 44.1 kHz each:\n", "first setting of each format");
    std::printf("  %-5s %-28s %10s %12s\n", "format", "setting", "CPU ms/s", "% of a core");
    const int seconds = 60;
    const int block = 2205;
    std::mt19937 noise(1);
    std::vector<std::vector<float>> blocks;
    for (long at = 0; at < 44100L * seconds; at += block)
        blocks.push_back(musicLike(block, at, noise));
    for (const AudioFormat &format : FormatCatalog::formats()) {
        const EncoderSetting &setting = format.settings.front();
        auto sink = std::make_unique<FileSink>();
        const std::string path = QDir(folder).filePath(QString::fromStdString("bench." + format.name)).toStdString();
        sink->open(path);
        std::string error;
        const double before = threadCpuSeconds();
        std::unique_ptr<Encoder> encoder = openEncoder(setting, std::move(sink), 2, 44100, error);
        if (!encoder) {
            std::printf("  %-5s %s\n", format.name.c_str(), error.c_str());
            continue;
        }
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            encoder->write(blocks[i].data(), block);
            if (i % 20 == 19)
                encoder->checkpoint();
        }
        encoder->close();
        const double cpu = threadCpuSeconds() - before;
        std::printf("  %-5s %-28s %10.2f %11.3f%%\n", format.name.c_str(), setting.name.c_str(),
                    cpu / seconds * 1000, cpu / seconds * 100);
    }
}

// Runs the event loop (the component's notices arrive there) for `ms`.
void waitWithEvents(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Take
{
    double cpuShare = 0;
    double wallSeconds = 0;
    double fileSeconds = 0;
    AudioRecordStats stats;
    std::string error;
};

// Records `seconds` from device 0; after one second the calling (user-interface) thread
// stalls for `stallMs` without running its event loop.
Take record(TCAudioRecord &record, const QString &path, int format, int seconds, int stallMs)
{
    Take take;
    record.SelectDevice(0);
    record.SelectFormat(format);
    record.SelectParam(0);
    record.SetOutputFile(path);
    const double cpuBefore = processCpuSeconds();
    QElapsedTimer wall;
    record.StartRecording(2, 44100);
    wall.start();
    waitWithEvents(1000);
    if (stallMs > 0)
        QThread::msleep(static_cast<unsigned long>(stallMs));
    waitWithEvents(std::max(0, seconds * 1000 - static_cast<int>(wall.elapsed())));
    record.Stop();
    take.wallSeconds = static_cast<double>(wall.elapsed()) / 1000;
    take.cpuShare = (processCpuSeconds() - cpuBefore) / take.wallSeconds * 100;
    take.stats = record.Stats();
    const DecodedAudio audio = format == 0 ? decodeWithSndfile(path.toStdString()) : decodeWithFFmpeg(path.toStdString());
    take.error = audio.error;
    take.fileSeconds = audio.sampleRate > 0 ? static_cast<double>(audio.samples.size()) / audio.sampleRate : 0;
    return take;
}

void liveFigures(const QString &folder)
{
    std::unique_ptr<TCAudioRecord> component = TCAudioRecord::load(QStringLiteral(SINTONIA_AUDIOCTL_PLUGIN));
    try {
        if (component->DeviceCount() == 0)
            throw std::runtime_error("no capture device");
    } catch (const std::exception &failure) {
        std::printf("\nLive recording: skipped (%s)\n", failure.what());
        return;
    }
    const QString tone = QDir(folder).filePath(QStringLiteral("tone.wav"));
    writeToneFile(tone.toStdString(), 120);
    QProcess player;
    player.start(QStringLiteral("paplay"), {tone});
    player.waitForStarted(5000);

    std::printf("\nLive recording from \"%s\" (process CPU, capture and encoding included):\n",
                component->DeviceName(0).toUtf8().constData());
    for (int format : {0, 1}) {
        const Take take = record(*component, QDir(folder).filePath(QStringLiteral("live%1").arg(format)), format, 10, 0);
        std::printf("  %-4s %6.3f%% of a core over %.1f s\n", format == 0 ? "WAV" : "MP3", take.cpuShare,
                    take.wallSeconds);
    }
    std::printf("\nUser-interface thread stalls during a WAV recording of 12 s:\n");
    std::printf("  %8s %10s %10s %10s %9s %6s\n", "stall s", "wall s", "file s", "missing s", "overruns", "holes");
    for (int stall : {1000, 2000, 5000, 10000}) {
        const Take take = record(*component, QDir(folder).filePath(QStringLiteral("stall%1.wav").arg(stall)), 0, 12, stall);
        // The file starts a little after StartRecording returns; a lost stretch would show
        // as a file shorter than the wall time by the length of the loss.
        std::printf("  %8.1f %10.2f %10.2f %10.2f %9llu %6llu%s\n", stall / 1000.0, take.wallSeconds,
                    take.fileSeconds, take.wallSeconds - take.fileSeconds,
                    static_cast<unsigned long long>(take.stats.overruns),
                    static_cast<unsigned long long>(take.stats.holeFrames), take.error.empty() ? "" : " (decode failed)");
    }
    player.kill();
    player.waitForFinished(5000);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    encodingFigures(dir.path());
    liveFigures(dir.path());
    return 0;
}
