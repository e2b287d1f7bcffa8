// Every compression setting of every format writes a file that decodes to what was
// recorded, and a full disk ends a file cleanly.
#include "audiocheck.h"
#include "bytesink.h"
#include "encoder.h"
#include "formatcatalog.h"

#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <random>

Q_DECLARE_METATYPE(EncoderSetting)

namespace {

constexpr int Rate = 44100;

// A file on a disk that has room for `quota` bytes only.
class FullDiskSink final : public ByteSink
{
public:
    explicit FullDiskSink(std::int64_t quota) : m_quota(quota) {}
    bool open(const std::string &path) { return m_file.open(path); }

    std::int64_t write(const void *data, std::int64_t size) override
    {
        const std::int64_t position = m_file.tell();
        const std::int64_t room = std::max<std::int64_t>(0, m_quota - position);
        if (size <= room)
            return m_file.write(data, size);
        if (m_failure == 0)
            m_failure = ENOSPC;
        return room > 0 ? m_file.write(data, room) : -1;
    }
    std::int64_t read(void *data, std::int64_t size) override { return m_file.read(data, size); }
    std::int64_t seek(std::int64_t offset, int whence) override { return m_file.seek(offset, whence); }
    std::int64_t tell() override { return m_file.tell(); }
    std::int64_t length() override { return m_file.length(); }
    bool close() override { return m_file.close(); }
    int failure() const override { return m_failure != 0 ? m_failure : m_file.failure(); }

private:
    FileSink m_file;
    std::int64_t m_quota;
    int m_failure = 0;
};

DecodedAudio decode(const EncoderSetting &setting, const std::string &path)
{
    if (setting.library == EncoderLibrary::FFmpeg)
        return decodeWithFFmpeg(path);
    const bool raw = (setting.sndfileFormat & 0x0FFF0000) == 0x040000; // SF_FORMAT_RAW
    return decodeWithSndfile(path, raw ? setting.sampleRate : 0);
}

// A tone with a little noise, so that lossless coders cannot shrink it to nothing.
std::vector<float> toneBlock(long start, int frames, std::mt19937 &noise)
{
    std::vector<float> block = sineFrames(1000, 0.5, Rate, frames, start);
    std::uniform_real_distribution<float> jitter(-0.02f, 0.02f);
    for (float &v : block)
        v += jitter(noise);
    return block;
}

void addSettingRows()
{
    QTest::addColumn<EncoderSetting>("setting");
    for (const AudioFormat &format : FormatCatalog::formats())
        for (const EncoderSetting &setting : format.settings)
            QTest::newRow((format.name + " " + setting.name).c_str()) << setting;
}

} // namespace

class TestEncoders : public QObject
{
    Q_OBJECT

private slots:
    void catalogueHasTheNineFormatsInOrder()
    {
        QStringList names;
        for (const AudioFormat &format : FormatCatalog::formats()) {
            names << QString::fromStdString(format.name);
            QVERIFY2(format.settings.size() >= 4, format.name.c_str());
        }
        QCOMPARE(names, QStringList({"WAV", "MP3", "WMA", "OGG", "VOX", "AU", "AIFF", "MP4", "FLAC"}));
    }

    void everySettingDecodesToTheTone_data() { addSettingRows(); }
    void everySettingDecodesToTheTone()
    {
        QFETCH(EncoderSetting, setting);
        QTemporaryDir dir;
        const std::string path = dir.filePath("tone").toStdString();
        auto sink = std::make_unique<FileSink>();
        QVERIFY(sink->open(path));
        std::string error;
        std::unique_ptr<Encoder> encoder = openEncoder(setting, std::move(sink), 2, Rate, error);
        QVERIFY2(encoder, error.c_str());
        const int seconds = 2;
        const int block = Rate / 20;
        for (long at = 0; at < static_cast<long>(seconds) * Rate; at += block) {
            const std::vector<float> frames = sineFrames(1000, 0.5, Rate, block, at);
            QVERIFY2(encoder->write(frames.data(), block), encoder->error().c_str());
            if (at % Rate == 0)
                encoder->checkpoint();
        }
        QVERIFY2(encoder->close(), encoder->error().c_str());

        const DecodedAudio audio = decode(setting, path);
        QVERIFY2(audio.error.empty(), audio.error.c_str());
        const double duration = static_cast<double>(audio.samples.size()) / audio.sampleRate;
        QVERIFY2(std::abs(duration - seconds) < 0.15, QByteArray::number(duration).constData());
        const double frequency = toneFrequency(audio);
        QVERIFY2(std::abs(frequency - 1000) < 10, QByteArray::number(frequency).constData());
        QVERIFY2(rms(audio) > 0.25 && rms(audio) < 0.45, QByteArray::number(rms(audio)).constData());
    }

    void fullDiskEndsTheFileCleanly_data() { addSettingRows(); }
    void fullDiskEndsTheFileCleanly()
    {
        QFETCH(EncoderSetting, setting);
        QTemporaryDir dir;
        const std::string path = dir.filePath("full").toStdString();
        auto sink = std::make_unique<FullDiskSink>(300 * 1024);
        QVERIFY(sink->open(path));
        std::string error;
        std::unique_ptr<Encoder> encoder = openEncoder(setting, std::move(sink), 2, Rate, error);
        QVERIFY2(encoder, error.c_str());
        std::mt19937 noise(7);
        const int block = Rate / 20;
        bool refused = false;
        long written = 0;
        for (; written < 300L * Rate && !refused; written += block) {
            const std::vector<float> frames = toneBlock(written, block, noise);
            refused = !encoder->write(frames.data(), block);
        }
        QVERIFY2(refused, "the quota was never reached");
        QVERIFY2(encoder->error().find("Spazio su disco esaurito") == 0, encoder->error().c_str());
        encoder->close();

        const DecodedAudio audio = decode(setting, path);
        QVERIFY2(audio.error.empty(), audio.error.c_str());
        const double duration = static_cast<double>(audio.samples.size()) / audio.sampleRate;
        QVERIFY2(duration > 0.3, QByteArray::number(duration).constData());
        QVERIFY2(duration <= static_cast<double>(written) / Rate + 0.1, QByteArray::number(duration).constData());
        const double frequency = toneFrequency(audio);
        QVERIFY2(std::abs(frequency - 1000) < 15, QByteArray::number(frequency).constData());
    }
};

QTEST_GUILESS_MAIN(TestEncoders)
#include "test_encoders.moc"
