// The disk-usage figures: the scale step, the label texts, the pie values and the sizes read.
#include "recording/diskusage.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestDiskUsage : public QObject
{
    Q_OBJECT

private slots:
    void sizeText_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << qint64(0) << "C" << "0 byte";
        QTest::newRow("unknown drive") << qint64(-1) << "C" << "-1 byte";
        QTest::newRow("1024 stays bytes") << qint64(1024) << "C" << "1024 byte";
        QTest::newRow("1025 is 1 Kb") << qint64(1025) << "C" << "1 Kb";
        QTest::newRow("1536 point") << qint64(1536) << "C" << "1.5 Kb";
        QTest::newRow("1536 comma") << qint64(1536) << "it_IT" << "1,5 Kb";
        QTest::newRow("cut, not rounded") << qint64(2047) << "C" << "1.99 Kb";
        QTest::newRow("5 000 000") << qint64(5'000'000) << "C" << "4.76 Mb";
        QTest::newRow("30 000 000 000") << qint64(30'000'000'000) << "C" << "27.93 Gb";
        QTest::newRow("80 000 000 000") << qint64(80'000'000'000) << "C" << "74.5 Gb";
        QTest::newRow("no grouping") << qint64(5'000'000'000'000) << "en_US" << "4656.61 Gb";
        QTest::newRow("3 GiB file") << qint64(3) * 1024 * 1024 * 1024 << "C" << "3 Gb";
    }
    void sizeText()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, locale);
        QFETCH(QString, text);
        QCOMPARE(DiskUsage::sizeText(bytes, QLocale(locale)), text);
    }

    void pieValues_data()
    {
        QTest::addColumn<qint64>("file");
        QTest::addColumn<qint64>("free");
        QTest::addColumn<qint64>("total");
        QTest::addColumn<double>("fileSlice");
        QTest::addColumn<double>("freeSlice");
        QTest::addColumn<double>("usedSlice");
        // Before the first recording the file is 0: no scaling, an empty first slice.
        QTest::newRow("no file") << qint64(0) << qint64(5'000'000) << qint64(8'000'000) << 0.0 << 5e6 << 3e6;
        // The smallest value leads: 2 MiB is scaled twice, to 2.
        QTest::newRow("scaled") << qint64(2 * 1024 * 1024) << qint64(4 * 1024 * 1024) << qint64(8 * 1024 * 1024)
                                << 2.0 << 2.0 << 2.0;
        QTest::newRow("small values stay") << qint64(1) << qint64(1000) << qint64(1024) << 1.0 << 999.0 << 23.0;
        QTest::newRow("unknown drive") << qint64(100) << qint64(-1) << qint64(-1) << 100.0 << 0.0 << 0.0;
    }
    void pieValues()
    {
        QFETCH(qint64, file);
        QFETCH(qint64, free);
        QFETCH(qint64, total);
        const DiskUsage::PieValues pie = DiskUsage::pieValues({file, free, total});
        QTEST(pie.file, "fileSlice");
        QTEST(pie.free, "freeSlice");
        QTEST(pie.used, "usedSlice");
    }

    void pieScalesAtMostThreeTimes()
    {
        const qint64 tib = qint64(1) << 40;
        const DiskUsage::PieValues pie = DiskUsage::pieValues({tib * 2, tib * 4, tib * 8});
        QCOMPARE(pie.file, 2048.0);
    }

    void readsTheFileAndTheDrive()
    {
        QTemporaryDir dir;
        QFile big(dir.filePath("big.WAV"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        // A sparse file past the 32-bit limit reads its true size.
        const qint64 size = qint64(5) * 1024 * 1024 * 1024 + 7;
        QVERIFY(big.resize(size));
        big.close();

        const DiskUsage::Reading reading = DiskUsage::read(dir.path(), "big.WAV");
        QCOMPARE(reading.fileSize, size);
        QVERIFY(reading.totalBytes > 0);
        QVERIFY(reading.freeBytes >= 0 && reading.freeBytes <= reading.totalBytes);

        QCOMPARE(DiskUsage::read(dir.path(), "   ").fileSize, qint64(0));
        QCOMPARE(DiskUsage::read(dir.path(), "missing.MP3").fileSize, qint64(0));
        // A folder not made yet is measured on the drive of its nearest parent.
        const DiskUsage::Reading pending = DiskUsage::read(dir.filePath("Sintonia/RecordingFile"), "");
        QCOMPARE(pending.totalBytes, reading.totalBytes);
    }
};

QTEST_GUILESS_MAIN(TestDiskUsage)
#include "test_diskusage.moc"
