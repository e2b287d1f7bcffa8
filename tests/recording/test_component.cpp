// The recorder component's own checks, and what it says when no sound server answers.
#include "audiorecorder.h"

#include <QTemporaryDir>
#include <QTest>

class TestComponent : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // No server at this address: every look at the devices must fail, promptly.
        qputenv("PULSE_SERVER", "unix:/nonexistent/sintonia-no-server");
    }

    void noSoundServerIsSaidPlainly()
    {
        AudioRecorder recorder;
        int count = -1;
        QVERIFY(!recorder.DeviceCount(count));
        QVERIFY2(recorder.error().find("PulseAudio") != std::string::npos, recorder.error().c_str());
        QVERIFY(!recorder.SelectDevice(0));
        QTemporaryDir dir;
        QVERIFY(recorder.SetOutputFile(dir.filePath("never.WAV").toStdString()));
        QVERIFY(!recorder.StartRecording(2, 44100));
        QVERIFY(!QFile::exists(dir.filePath("never.WAV")));
        QVERIFY(recorder.Stop());
    }

    void operationsCheckTheirArguments_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<int>("argument");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("format 0") << 0 << 0 << true;
        QTest::newRow("format 8") << 0 << 8 << true;
        QTest::newRow("format 9") << 0 << 9 << false;
        QTest::newRow("format -1") << 0 << -1 << false;
        QTest::newRow("param -1 passes") << 1 << -1 << true;
        QTest::newRow("param past the list") << 1 << 99 << false;
        QTest::newRow("volume 0") << 2 << 0 << true;
        QTest::newRow("volume 101") << 2 << 101 << false;
        QTest::newRow("source -1 passes") << 3 << -1 << true;
        QTest::newRow("source without device") << 3 << 0 << false;
    }
    void operationsCheckTheirArguments()
    {
        QFETCH(int, operation);
        QFETCH(int, argument);
        AudioRecorder recorder;
        bool ok = false;
        switch (operation) {
        case 0: ok = recorder.SelectFormat(argument); break;
        case 1: ok = recorder.SelectParam(argument); break;
        case 2: ok = recorder.SetVolume(argument); break;
        default: ok = recorder.SelectSource(argument); break;
        }
        QTEST(ok, "accepted");
        QCOMPARE(recorder.error().empty(), ok);
    }

    void everyFormatNamesItsSettings()
    {
        AudioRecorder recorder;
        for (int format = 0; format < 9; ++format) {
            QVERIFY(recorder.SelectFormat(format));
            int count = 0;
            QVERIFY(recorder.ParamCount(count));
            QStringList names;
            for (int i = 0; i < count; ++i) {
                std::string name;
                QVERIFY(recorder.SelectParam(i) && recorder.ParamName(name));
                names << QString::fromStdString(name);
            }
            QCOMPARE(names.removeDuplicates(), 0);
        }
    }
};

QTEST_GUILESS_MAIN(TestComponent)
#include "test_component.moc"
