// The file-name rule of new recordings and the reading rules of "OpzSNR.txt".
#include "recording/recordingfilename.h"
#include "recording/recordingsettings.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestRecordingRules : public QObject
{
    Q_OBJECT

private slots:
    void fileName_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("name");
        QTest::newRow("Italian") << "it_IT" << "MP3" << "25-12-06_15-30-05.MP3";
        QTest::newRow("US") << "en_US" << "WAV" << "12-25-06_3-30-05 PM.WAV";
        QTest::newRow("German keeps its date dots") << "de_DE" << "FLAC" << "25.12.06_15-30-05.FLAC";
        QTest::newRow("British") << "en_GB" << "OGG" << "25-12-2006_15-30-05.OGG";
    }
    void fileName()
    {
        QFETCH(QString, locale);
        QFETCH(QString, format);
        const QDateTime when(QDate(2006, 12, 25), QTime(15, 30, 5));
        QTEST(RecordingFileName::make(when, QLocale(locale), format), "name");
    }

    void aNameInUseGetsANumber()
    {
        QTemporaryDir dir;
        QCOMPARE(RecordingFileName::unused(dir.path(), "a.WAV"), QString("a.WAV"));
        for (const QString &taken : {QString("a.WAV"), QString("a_2.WAV")}) {
            QFile file(dir.filePath(taken));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(RecordingFileName::unused(dir.path(), "a.WAV"), QString("a_3.WAV"));
    }

    void listIndex_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::newRow("in range") << "2" << 3 << 2;
        QTest::newRow("spaces") << " 1 " << 3 << 1;
        QTest::newRow("no number is item 0") << "abc" << 3 << 0;
        QTest::newRow("empty line is item 0") << "" << 3 << 0;
        QTest::newRow("decimal point is no number") << "1.5" << 3 << 0;
        QTest::newRow("no number, empty list") << "x" << 0 << -1;
        QTest::newRow("past the end") << "3" << 3 << -1;
        QTest::newRow("none saved") << "-1" << 3 << -1;
        QTest::newRow("negative") << "-7" << 3 << -1;
        QTest::newRow("huge") << "99999999999999999999999" << 3 << -1;
        QTest::newRow("huge negative") << "-99999999999999999999999" << 3 << -1;
        QTest::newRow("empty list") << "0" << 0 << -1;
    }
    void listIndex()
    {
        QFETCH(QString, line);
        QFETCH(int, count);
        QTEST(RecordingSettings::listIndex(line, count), "index");
    }

    void volume_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("volume"); // -1: the line sets nothing
        QTest::newRow("in range") << "40" << 40;
        QTest::newRow("below") << "-5" << 0;
        QTest::newRow("above") << "250" << 100;
        QTest::newRow("huge") << "123456789012345678901234567890" << 100;
        QTest::newRow("no number") << "loud" << -1;
    }
    void volume()
    {
        QFETCH(QString, line);
        QFETCH(int, volume);
        QCOMPARE(RecordingSettings::volume(line).value_or(-1), volume);
    }
};

QTEST_GUILESS_MAIN(TestRecordingRules)
#include "test_recordingrules.moc"
