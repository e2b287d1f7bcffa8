// The options file: the two ways of reading it, the order it is written in, and the
// closing of gaps among the personal stations.
#include "platform/textfile.h"
#include "settings/optionsfile.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

// A full file: slot n is id 100 + n, "Name n", "Caption n"; switches SI, NO, SI; language 3.
QStringList fullFile()
{
    OptionsFile::Record r;
    r.autoStart = true;
    r.playAtStart = true;
    r.startupId = 77;
    r.startupName = QStringLiteral("Start FM");
    for (int n = 1; n <= PersonalSlotCount; ++n)
        *r.stations.slot(n) = TRadio{100 + n, QStringLiteral("Name %1").arg(n), QStringLiteral("Caption %1").arg(n)};
    r.search = true;
    r.messenger = false;
    r.timetable = true;
    r.language = 3;
    return OptionsFile::compose(r);
}

} // namespace

class TestOptionsFile : public QObject
{
    Q_OBJECT

private slots:
    void composesTheLinesInFileOrder()
    {
        const QStringList lines = fullFile();
        QCOMPARE(lines.size(), 53);
        QCOMPARE(lines.mid(0, 4), (QStringList{"SI", "SI", "77", "Start FM"}));
        QCOMPARE(lines.mid(4, 3), (QStringList{"101", "Name 1", "Caption 1"}));
        QCOMPARE(lines.mid(16, 3), (QStringList{"105", "Name 5", "Caption 5"}));
        QCOMPARE(lines.mid(19, 3), (QStringList{"SI", "NO", "SI"}));
        QCOMPARE(lines.mid(22, 3), (QStringList{"106", "Name 6", "Caption 6"}));
        QCOMPARE(lines.mid(49, 3), (QStringList{"115", "Name 15", "Caption 15"}));
        QCOMPARE(lines[52], QStringLiteral("3"));
    }

    void writesEmptySlotsAsZeroAndTwoEmptyLinesAndNoStrayBreaks()
    {
        OptionsFile::Record r;
        r.stations.slot(7)->Id = 5;
        r.stations.slot(7)->Name = QStringLiteral("Two\r\nlines");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("OpzSN.txt"));
        QCOMPARE(TextFile::writeLines(path, OptionsFile::compose(r)), QString());
        const QStringList lines = *TextFile::readLines(path);
        QCOMPARE(lines.size(), 53);
        QCOMPARE(lines.mid(4, 3), (QStringList{"0", "", ""}));
        // Slot 7 sits on lines 26 to 28.
        QCOMPARE(lines.mid(25, 3), (QStringList{"5", "Two  lines", ""}));
    }

    void startupReadsEveryLineWithItsOwnDefault_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("autoPlay");
        QTest::addColumn<int>("startupId");
        QTest::addColumn<bool>("search");
        QTest::addColumn<bool>("messenger");
        QTest::addColumn<bool>("timetable");
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("lastFilledSlot");

        QTest::newRow("full") << fullFile() << true << 77 << true << false << true << 3 << 15;
        QTest::newRow("empty file") << QStringList() << false << 0 << true << true << false << 1 << 0;
        QTest::newRow("ends after line 19") << fullFile().mid(0, 19) << true << 77 << true << true << false << 1 << 5;
        QTest::newRow("ends after line 20") << fullFile().mid(0, 20) << true << 77 << true << true << false << 1 << 5;
        QStringList garbage = fullFile();
        garbage[1] = QStringLiteral("si");
        garbage[2] = QStringLiteral("12abc");
        garbage[19] = QStringLiteral("SI ");
        garbage[52] = QStringLiteral("9");
        QTest::newRow("garbage") << garbage << false << 0 << false << false << true << 1 << 15;
        QStringList outOfRange = fullFile();
        outOfRange[2] = QStringLiteral("99999999999");
        outOfRange[52] = QStringLiteral("-2");
        QTest::newRow("numbers out of range") << outOfRange << true << 0 << true << false << true << 1 << 15;
        QStringList nul = fullFile();
        nul[2] = QString(QChar(0)) + QStringLiteral("5");
        nul[52] = QStringLiteral("2") + QString(QChar(0));
        QTest::newRow("NUL characters") << nul << true << 0 << true << false << true << 1 << 15;
    }

    void startupReadsEveryLineWithItsOwnDefault()
    {
        QFETCH(QStringList, lines);
        const OptionsFile::StartupReading r = OptionsFile::readAtStartup(lines);
        QTEST(r.autoPlay, "autoPlay");
        QTEST(int(r.startupId), "startupId");
        QTEST(r.searchAtStart, "search");
        QTEST(r.messenger, "messenger");
        QTEST(r.timetable, "timetable");
        QTEST(r.language, "language");
        QFETCH(int, lastFilledSlot);
        for (int n = 1; n <= PersonalSlotCount; ++n)
            QCOMPARE(r.stations.slot(n)->Id != 0, n <= lastFilledSlot);
    }

    // The dialog's reading leaves what is missing alone, and the first missing switch line
    // takes its default and ends the reading.
    void dialogReadingStopsAtTheFirstMissingSwitch_data()
    {
        QTest::addColumn<int>("lineCount");
        QTest::addColumn<bool>("search");
        QTest::addColumn<bool>("messenger");
        QTest::addColumn<bool>("timetable");
        QTest::addColumn<bool>("slot6Read");
        // The dialog's states before reading: all three switches the opposite of the file's
        // defaults, so that a default and a kept state can be told apart.
        QTest::newRow("ends after 19: line 20 missing") << 19 << true << false << true << false;
        QTest::newRow("ends after 20: line 21 missing") << 20 << true << true << true << false;
        QTest::newRow("ends after 21: line 22 missing") << 21 << true << false << false << false;
        QTest::newRow("ends after 25") << 25 << true << false << true << true;
        QTest::newRow("empty") << 0 << true << false << true << false;
    }

    void dialogReadingStopsAtTheFirstMissingSwitch()
    {
        QFETCH(int, lineCount);
        const QStringList lines = fullFile().mid(0, lineCount);
        OptionsFile::DialogFields f;
        f.autoStart = false;
        f.playAtStart = false;
        f.startupId = 5;
        f.search = false;
        f.messenger = false;
        f.timetable = true;
        f.stations.slot(6)->Name = QStringLiteral("kept");
        OptionsFile::readIntoDialog(lines, f);
        QTEST(f.search, "search");
        QTEST(f.messenger, "messenger");
        QTEST(f.timetable, "timetable");
        QFETCH(bool, slot6Read);
        QCOMPARE(f.stations.slot(6)->Name, slot6Read ? QStringLiteral("Name 6") : QStringLiteral("kept"));
        QCOMPARE(f.startupId, lineCount >= 3 ? 77 : 5);
        QCOMPARE(f.autoStart, lineCount >= 1);
    }

    void compactionClosesGapsInOrder()
    {
        PersonalSlots s;
        *s.slot(2) = TRadio{2, QStringLiteral("two"), QStringLiteral("Two")};
        *s.slot(5) = TRadio{5, QStringLiteral("five"), QStringLiteral("Five")};
        *s.slot(15) = TRadio{15, QStringLiteral("fifteen"), QStringLiteral("Fifteen")};
        // An id of 0 is an empty slot whatever its texts.
        *s.slot(1) = TRadio{0, QStringLiteral("ghost"), QStringLiteral("Ghost")};
        CompactPersonalStations(s);
        QCOMPARE(s.slot(1)->Id, 2);
        QCOMPARE(s.slot(2)->Id, 5);
        QCOMPARE(s.slot(3)->Id, 15);
        QCOMPARE(s.slot(3)->Caption, QStringLiteral("Fifteen"));
        for (int n = 4; n <= PersonalSlotCount; ++n)
            QCOMPARE(*s.slot(n), TRadio{});
    }

    void filesOfTheOtherProgramReadTheSame()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("OpzSN.txt"));
        // Windows-1252 with CR LF, and the same with LF alone.
        QByteArray bytes = "NO\r\nSI\r\n42\r\nRadio Citt\xe0 \x80\r\n";
        for (const QByteArray &eol : {QByteArray("\r\n"), QByteArray("\n")}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QByteArray(bytes).replace("\r\n", eol));
            file.close();
            const auto lines = TextFile::readLines(path);
            QVERIFY(lines);
            const OptionsFile::StartupReading r = OptionsFile::readAtStartup(*lines);
            QCOMPARE(r.startupId, 42);
            QCOMPARE(r.startupName, QString::fromUtf8("Radio Città €"));
        }
        // And ours is written in the same bytes.
        OptionsFile::Record record;
        record.startupName = QString::fromUtf8("Radio Città €");
        QCOMPARE(TextFile::writeLines(path, OptionsFile::compose(record)), QString());
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().startsWith("NO\r\nNO\r\n0\r\nRadio Citt\xe0 \x80\r\n0\r\n"));
    }

    void hugeOrBinaryFilesGiveDefaults()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("OpzSN.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1 << 20, 'x') + "\r\n");
        for (int i = 0; i < 10000; ++i)
            file.write("\x01\xff\x00garbage\r\n", 12);
        file.close();
        const auto lines = TextFile::readLines(path);
        QVERIFY(lines);
        const OptionsFile::StartupReading r = OptionsFile::readAtStartup(*lines);
        QCOMPARE(r.startupId, 0);
        QCOMPARE(r.language, 1);
        for (const TRadio &radio : r.stations.radios)
            QVERIFY(radio.Name.size() <= OptionsFile::MaxTextLength);
    }
};

QTEST_GUILESS_MAIN(TestOptionsFile)
#include "test_optionsfile.moc"
