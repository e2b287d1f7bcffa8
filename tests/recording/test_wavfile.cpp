// WAV files as players read them: a plain RIFF file with the coding's own format tag and
// no chunk left over from RF64 while the recording fits; RF64 with the same samples once
// it outgrows the RIFF limit (lowered here so that no test writes gigabytes).
#include "audiocheck.h"
#include "bytesink.h"
#include "encoder.h"
#include "formatcatalog.h"
#include "wavencoder.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sndfile.h>

#include <functional>

Q_DECLARE_METATYPE(EncoderSetting)

namespace {

constexpr int Rate = 44100;

std::uint32_t u32(const QByteArray &bytes, qsizetype at)
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes.at(at + i));
    return value;
}

std::uint64_t u64(const QByteArray &bytes, qsizetype at)
{
    return u32(bytes, at) | (std::uint64_t(u32(bytes, at + 4)) << 32);
}

std::uint16_t u16(const QByteArray &bytes, qsizetype at)
{
    return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes.at(at))
                                      | (static_cast<std::uint8_t>(bytes.at(at + 1)) << 8));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Chunk
{
    QByteArray id;
    qsizetype at = 0; // of its body
    std::uint32_t size = 0;
};

// The chunks after "WAVE", as a reader walks them; a chunk running past the end stops it.
QList<Chunk> chunksOf(const QByteArray &file)
{
    QList<Chunk> chunks;
    qsizetype at = 12;
    while (at + 8 <= file.size()) {
        Chunk chunk{file.mid(at, 4), at + 8, u32(file, at + 4)};
        chunks.append(chunk);
        const std::uint64_t next = std::uint64_t(chunk.at) + chunk.size + (chunk.size % 2);
        if (chunk.size == 0xFFFFFFFFu || next > std::uint64_t(file.size()))
            break;
        at = static_cast<qsizetype>(next);
    }
    return chunks;
}

QByteArray ids(const QList<Chunk> &chunks)
{
    QByteArrayList names;
    for (const Chunk &chunk : chunks)
        names.append(chunk.id);
    return names.join(',');
}

const EncoderSetting &wavSetting(int subtype)
{
    for (const EncoderSetting &setting : FormatCatalog::formats()[0].settings)
        if ((setting.sndfileFormat & SF_FORMAT_SUBMASK) == subtype)
            return setting;
    qFatal("no WAV setting of that coding");
}

// `frames` of a 1 kHz tone through an encoder made by `make`, closed.
std::string record(const QTemporaryDir &dir, const char *name, int channels, long frames,
                   const std::function<std::unique_ptr<Encoder>(std::unique_ptr<ByteSink>)> &make,
                   bool checkpointAtEnd = false)
{
    const std::string path = dir.filePath(QLatin1String(name)).toStdString();
    auto sink = std::make_unique<FileSink>();
    if (!sink->open(path))
        return {};
    std::unique_ptr<Encoder> encoder = make(std::move(sink));
    if (!encoder)
        return {};
    const int block = 4410;
    for (long at = 0; at < frames; at += block) {
        const int n = static_cast<int>(std::min<long>(block, frames - at));
        std::vector<float> stereo = sineFrames(1000, 0.5, Rate, n, at);
        std::vector<float> samples;
        for (int i = 0; i < n * 2; i += 2 / channels)
            samples.push_back(stereo[static_cast<std::size_t>(i)]);
        if (!encoder->write(samples.data(), static_cast<std::size_t>(n)))
            return {};
    }
    if (checkpointAtEnd)
        encoder->checkpoint();
    if (!encoder->close())
        return {};
    return path;
}

} // namespace

class TestWavFile : public QObject
{
    Q_OBJECT

private slots:
    void everyWavSettingIsAPlainRiffFile_data()
    {
        QTest::addColumn<EncoderSetting>("setting");
        QTest::addColumn<int>("tag");
        QTest::addColumn<QByteArray>("chunks");
        const QList<std::tuple<int, int, const char *>> rows{
            {SF_FORMAT_PCM_16, 1, "fmt ,data"}, {SF_FORMAT_PCM_24, 1, "fmt ,data"},
            {SF_FORMAT_PCM_U8, 1, "fmt ,data"}, {SF_FORMAT_FLOAT, 3, "fmt ,fact,data"},
            {SF_FORMAT_ALAW, 6, "fmt ,fact,data"}, {SF_FORMAT_ULAW, 7, "fmt ,fact,data"},
            {SF_FORMAT_IMA_ADPCM, 0x11, "fmt ,fact,data"}, {SF_FORMAT_MS_ADPCM, 2, "fmt ,fact,data"},
        };
        QCOMPARE(FormatCatalog::formats()[0].settings.size(), std::size_t(rows.size()));
        for (const auto &[subtype, tag, chunks] : rows) {
            const EncoderSetting &setting = wavSetting(subtype);
            QTest::newRow(setting.name.c_str()) << setting << tag << QByteArray(chunks);
        }
    }
    void everyWavSettingIsAPlainRiffFile()
    {
        QFETCH(EncoderSetting, setting);
        QFETCH(int, tag);
        QFETCH(QByteArray, chunks);
        QTemporaryDir dir;
        std::string error;
        const std::string path = record(dir, "take.wav", 2, Rate, [&](std::unique_ptr<ByteSink> sink) {
            return openEncoder(setting, std::move(sink), 2, Rate, error);
        }, true);
        QVERIFY2(!path.empty(), error.c_str());

        const QByteArray file = readAll(QString::fromStdString(path));
        QCOMPARE(file.left(4), QByteArray("RIFF"));
        QCOMPARE(file.mid(8, 4), QByteArray("WAVE"));
        QCOMPARE(u32(file, 4), std::uint32_t(file.size() - 8));
        const QList<Chunk> found = chunksOf(file);
        QCOMPARE(ids(found), chunks);
        QCOMPARE(found.first().at, qsizetype(20)); // "fmt " straight after "WAVE"
        QCOMPARE(int(u16(file, 20)), tag);
        QCOMPARE(int(u16(file, 22)), 2);
        QCOMPARE(u32(file, 24), std::uint32_t(Rate));
        const Chunk &data = found.last();
        QCOMPARE(std::uint64_t(data.at) + data.size + data.size % 2, std::uint64_t(file.size()));

        const DecodedAudio audio = decodeWithSndfile(path);
        QVERIFY2(audio.error.empty(), audio.error.c_str());
        // ADPCM fills its last block.
        const double seconds = static_cast<double>(audio.samples.size()) / Rate;
        QVERIFY2(seconds >= 1.0 && seconds < 1.05, QByteArray::number(seconds).constData());
        QVERIFY(std::abs(toneFrequency(audio) - 1000) < 10);
    }

    void aFileThatOutgrowsTheRiffLimitBecomesRf64_data()
    {
        QTest::addColumn<int>("subtype");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("tag");
        // Past 1 MiB of samples, so that they move up in more than one block.
        QTest::newRow("PCM 16 bit stereo") << int(SF_FORMAT_PCM_16) << 2 << 1;
        QTest::newRow("PCM 8 bit mono, odd length") << int(SF_FORMAT_PCM_U8) << 1 << 1;
        QTest::newRow("A-law stereo") << int(SF_FORMAT_ALAW) << 2 << 6;
    }
    void aFileThatOutgrowsTheRiffLimitBecomesRf64()
    {
        QFETCH(int, subtype);
        QFETCH(int, channels);
        QFETCH(int, tag);
        const EncoderSetting &setting = wavSetting(subtype);
        WavHeader::Format format;
        format.tag = static_cast<std::uint16_t>(tag);
        format.channels = static_cast<std::uint16_t>(channels);
        format.bitsPerSample = subtype == SF_FORMAT_PCM_16 ? 16 : 8;
        const long frames = 600001;
        const std::uint64_t dataBytes = std::uint64_t(frames) * format.blockAlign();
        // A limit that the samples fit exactly, and one byte less.
        const std::uint64_t fits = WavHeader::plainRiffSize(format, dataBytes);
        auto encoderWithLimit = [&](std::uint64_t limit) {
            return [&setting, channels, limit](std::unique_ptr<ByteSink> sink) -> std::unique_ptr<Encoder> {
                auto encoder = std::make_unique<WavEncoder>(std::move(sink), limit);
                if (!encoder->open(setting, channels, Rate))
                    return nullptr;
                return encoder;
            };
        };
        QTemporaryDir dir;
        const std::string plainPath = record(dir, "plain.wav", channels, frames, encoderWithLimit(fits));
        const std::string bigPath = record(dir, "big.wav", channels, frames, encoderWithLimit(fits - 1));
        QVERIFY(!plainPath.empty() && !bigPath.empty());

        const QByteArray plain = readAll(QString::fromStdString(plainPath));
        QCOMPARE(plain.left(4), QByteArray("RIFF"));
        QCOMPARE(u32(plain, 4), std::uint32_t(fits));
        QCOMPARE(ids(chunksOf(plain)), QByteArray(tag == 1 ? "fmt ,data" : "fmt ,fact,data"));

        const QByteArray big = readAll(QString::fromStdString(bigPath));
        QCOMPARE(big.left(4), QByteArray("RF64"));
        QCOMPARE(u32(big, 4), 0xFFFFFFFFu);
        QCOMPARE(big.mid(8, 8), QByteArray("WAVEds64"));
        QCOMPARE(u32(big, 16), 28u);
        QCOMPARE(u64(big, 20), std::uint64_t(big.size() - 8));
        QCOMPARE(u64(big, 28), dataBytes);
        QCOMPARE(u64(big, 36), std::uint64_t(frames));
        QCOMPARE(big.mid(48, 4), QByteArray("fmt "));
        QCOMPARE(int(u16(big, 56)), tag);
        const qsizetype plainStart = plain.size() - qsizetype(dataBytes) - qsizetype(dataBytes % 2);
        const qsizetype bigStart = big.size() - qsizetype(dataBytes) - qsizetype(dataBytes % 2);
        QCOMPARE(bigStart, plainStart + 36);
        QCOMPARE(big.mid(bigStart - 8, 8), QByteArray("data\xff\xff\xff\xff"));
        // The samples moved up unchanged.
        QVERIFY(big.mid(bigStart) == plain.mid(plainStart));

        for (const DecodedAudio &audio : {decodeWithSndfile(bigPath), decodeWithFFmpeg(bigPath)}) {
            QVERIFY2(audio.error.empty(), audio.error.c_str());
            QCOMPARE(qsizetype(audio.samples.size()), qsizetype(frames));
            QVERIFY(std::abs(toneFrequency(audio) - 1000) < 10);
        }
    }

    void pastTheLimitTheHeaderKeepsAPlainFileReadable()
    {
        // A crash before close() leaves the header of the last checkpoint: it declares what
        // a plain file can hold, never a size that wrapped around.
        const EncoderSetting &setting = wavSetting(SF_FORMAT_PCM_16);
        QTemporaryDir dir;
        const std::string path = dir.filePath("crash.wav").toStdString();
        auto sink = std::make_unique<FileSink>();
        QVERIFY(sink->open(path));
        const std::uint64_t limit = 36 + 4 * 10000;
        WavEncoder encoder(std::move(sink), limit);
        QVERIFY(encoder.open(setting, 2, Rate));
        const std::vector<float> frames = sineFrames(1000, 0.5, Rate, 30000);
        QVERIFY(encoder.write(frames.data(), 30000));
        encoder.checkpoint();
        const QByteArray file = readAll(QString::fromStdString(path));
        QCOMPARE(file.left(4), QByteArray("RIFF"));
        QCOMPARE(u32(file, 4), std::uint32_t(limit));
        QCOMPARE(u32(file, 40), 4u * 10000);
        QCOMPARE(file.size(), qsizetype(44 + 4 * 30000));
        QVERIFY(encoder.close());
    }
};

QTEST_GUILESS_MAIN(TestWavFile)
#include "test_wavfile.moc"
