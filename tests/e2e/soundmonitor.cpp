#include "soundmonitor.h"

#include <QElapsedTimer>
#include <QProcess>

#include <cmath>
#include <cstring>

namespace SoundMonitor {

namespace {
constexpr int Rate = 22050;
}

bool available()
{
    QProcess info;
    info.start(QStringLiteral("pactl"), {QStringLiteral("info")});
    return info.waitForFinished(5000) && info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
}

QByteArray record(int ms)
{
    QProcess parec;
    parec.start(QStringLiteral("parec"), {QStringLiteral("--device=rec.monitor"), QStringLiteral("--raw"),
                                          QStringLiteral("--format=s16le"), QStringLiteral("--rate=22050"),
                                          QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=50")});
    if (!parec.waitForStarted(5000))
        return {};
    QByteArray samples;
    const qsizetype wanted = qsizetype(Rate) * 2 * ms / 1000;
    QElapsedTimer clock;
    clock.start();
    while (samples.size() < wanted && clock.elapsed() < ms + 5000) {
        parec.waitForReadyRead(200);
        samples += parec.readAllStandardOutput();
    }
    parec.kill();
    parec.waitForFinished(2000);
    return samples.left(wanted);
}

double rms(const QByteArray &samples)
{
    const qsizetype n = samples.size() / 2;
    if (n == 0)
        return 0;
    double sum = 0;
    for (qsizetype i = 0; i < n; ++i) {
        qint16 v;
        std::memcpy(&v, samples.constData() + 2 * i, 2);
        sum += double(v) * v;
    }
    return std::sqrt(sum / n) / 32768.0;
}

double frequency(const QByteArray &samples)
{
    const qsizetype n = samples.size() / 2;
    if (n < 2)
        return 0;
    int crossings = 0;
    qint16 previous;
    std::memcpy(&previous, samples.constData(), 2);
    for (qsizetype i = 1; i < n; ++i) {
        qint16 v;
        std::memcpy(&v, samples.constData() + 2 * i, 2);
        if ((previous < 0) != (v < 0))
            ++crossings;
        previous = v;
    }
    return crossings / 2.0 / (double(n) / Rate);
}

} // namespace SoundMonitor
