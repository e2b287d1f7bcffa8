// The recording page TabSheet4 with a scripted recorder component: install panel, first
// set-up, restore and saves of "OpzSNR.txt", the Rec/Stop/Pause states and the clock.
#include "fakeaudiorecord.h"
#include "platform/fakes/fakeplatform.h"
#include "recording/recordingfilename.h"
#include "recording/recordingpage.h"
#include "recording/tcaudiorecord.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const QString NoDevice = "Selezionare il dispositivo di registrazione";

struct Rig
{
    QTemporaryDir dir;
    QTabWidget tabs;
    QWidget *sheet = new QWidget;
    ScriptedDialogs dialogs;
    RecordingShell shell;
    RecordingPageSetup setup;
    FakeAudioRecord *fake = nullptr;
    bool unusable = false;
    std::unique_ptr<RecordingPage> page;

    explicit Rig(bool markerInstalled = true, const QByteArray &settings = {})
    {
        tabs.addTab(new QWidget, "Radio - Web Site");
        sheet->setObjectName("TabSheet4");
        tabs.addTab(sheet, "Audio Recording");
        QDir(dir.path()).mkdir("settings");
        setup.settingsFolder = dir.filePath("settings") + "/";
        setup.productSiteHost = "127.0.0.1:47810";
        setup.recordingFolder = dir.filePath("Sintonia/RecordingFile");
        setup.componentFile = dir.filePath("libsintonia-audioctl.so");
        if (markerInstalled)
            install();
        if (!settings.isNull())
            writeSettings(settings);
        setup.createComponent = [this](const QString &) {
            if (unusable)
                return std::make_unique<TCAudioRecord>(nullptr, "Componente non registrato");
            auto component = std::make_unique<FakeAudioRecord>();
            fake = component.get();
            return std::make_unique<TCAudioRecord>(std::move(component), QString());
        };
        page = std::make_unique<RecordingPage>(sheet, dialogs, shell, setup);
        page->StartUp();
        tabs.setCurrentIndex(1);
        tabs.show();
    }

    void install()
    {
        QFile marker(setup.componentFile);
        QVERIFY(marker.open(QIODevice::WriteOnly));
    }
    QString settingsPath() const { return setup.settingsFolder + "OpzSNR.txt"; }
    void writeSettings(const QByteArray &content)
    {
        QFile file(settingsPath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray settings() const
    {
        QFile file(settingsPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    template <typename T = QWidget>
    T *w(const QString &name) const
    {
        return sheet->findChild<T *>(name);
    }
    QComboBox *list(const QString &name) const { return w<QComboBox>(name); }
    QPushButton *button(const QString &name) const { return w<QPushButton>(name); }
    QString text(const QString &name) const { return w<QLabel>(name)->text(); }

    void choose(const QString &name, int index)
    {
        QComboBox *combo = list(name);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void click(const QString &name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void readyToRecord()
    {
        page->PageShown();
        choose("cbDevice", 1);
        fake->calls.clear();
    }
    QList<bool> buttonStates() const
    {
        return {button("btnRecord")->isEnabled(), w<QSlider>("TB_Volume")->isEnabled(),
                button("btnStop")->isEnabled(), button("btnPause")->isEnabled()};
    }
};

const QList<bool> Ready = {true, true, false, false};
const QList<bool> Recording = {false, false, true, true};

} // namespace

class TestRecordingPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void startUpShowsTheRecordingFolder()
    {
        Rig rig;
        QCOMPARE(rig.text("Lbl_Folder"), QDir::toNativeSeparators(rig.setup.recordingFolder));
        QCOMPARE(rig.page->installerAddress(), QString("http://127.0.0.1:47810/AudioRecording.exe"));
    }

    void withoutTheMarkerOnlyTheInstallPanelShows_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("byKeyboard");
        for (const char *item : {"Lbl_InizializzaTesto", "Lbl_InizializzaLink", "Lbl_InizializzaEsegui",
                                 "Img_InizializzaDownload", "Img_InizializzaComponente"})
            QTest::newRow(item) << QString::fromLatin1(item) << false;
        QTest::newRow("link by keyboard") << "Lbl_InizializzaLink" << true;
    }
    void withoutTheMarkerOnlyTheInstallPanelShows()
    {
        QFETCH(QString, item);
        QFETCH(bool, byKeyboard);
        Rig rig(false);
        rig.page->PageShown();
        QVERIFY(rig.w("Pnl_InizializzaRecording")->isVisible());
        QVERIFY(!rig.w("Pnl_Registra")->isVisible());
        QVERIFY(!rig.page->componentCreated());

        // The installer runs meanwhile; confirming the box runs the page switch again.
        QSignalSpy again(rig.page.get(), &RecordingPage::pageSwitchRequested);
        connect(rig.page.get(), &RecordingPage::pageSwitchRequested, rig.page.get(), [&rig] {
            rig.install();
            rig.page->PageShown();
        });
        QWidget *target = rig.w(item);
        QVERIFY(target);
        if (byKeyboard)
            QTest::keyClick(target, Qt::Key_Return);
        else
            QTest::mouseClick(target, Qt::LeftButton);
        QCOMPARE(rig.shell.opened, QStringList{"http://127.0.0.1:47810/AudioRecording.exe"});
        QCOMPARE(rig.dialogs.shown, QStringList{"A download completato, premere Ok per proseguire"});
        QCOMPARE(again.count(), 1);
        QVERIFY(rig.page->componentCreated());
        QVERIFY(!rig.w("Pnl_InizializzaRecording")->isVisible());
        QVERIFY(rig.w("Pnl_Registra")->isVisible());
        QCOMPARE(rig.list("cbDevice")->count(), 2);
    }

    void firstSetUpWithoutSettingsFile()
    {
        Rig rig;
        rig.page->PageShown();
        QCOMPARE(rig.fake->calls,
                 QStringList({"DeviceCount", "DeviceName(0)", "DeviceName(1)", "SourceCount", "SelectFormat(0)",
                              "ParamCount", "SelectParam(0)", "ParamName", "SelectParam(1)", "ParamName",
                              "SelectParam(2)", "ParamName", "SelectParam(0)", "SetVolume(100)"}));
        QCOMPARE(rig.list("cbDevice")->count(), 2);
        QCOMPARE(rig.list("cbDevice")->currentIndex(), -1);
        QCOMPARE(rig.list("cbSource")->count(), 0);
        QCOMPARE(rig.list("cbFormat")->currentText(), QString("WAV"));
        QCOMPARE(rig.list("cbPara")->count(), 3);
        QCOMPARE(rig.list("cbPara")->currentText(), QString("F0P0"));
        QVERIFY(!QFile::exists(rig.settingsPath()));

        rig.click("btnRecord");
        QCOMPARE(rig.dialogs.shown, QStringList{NoDevice});

        // Later visits only refresh the disk usage.
        rig.fake->calls.clear();
        rig.page->PageShown();
        QVERIFY(rig.fake->calls.isEmpty());
        QVERIFY(!rig.text("Lbl_Total").isEmpty());
    }

    void choosingADeviceResetsTheSourceAndSaves()
    {
        Rig rig;
        rig.page->PageShown();
        rig.fake->calls.clear();
        rig.choose("cbDevice", 1);
        QCOMPARE(rig.fake->calls,
                 QStringList({"SelectDevice(1)", "SourceCount", "SourceName(0)", "SourceName(1)", "SelectSource(0)"}));
        QCOMPARE(rig.list("cbSource")->currentText(), QString("Front mic"));
        QCOMPARE(rig.settings(), QByteArray("1\r\n0\r\n0\r\n0\r\n100\r\n"));

        rig.choose("cbSource", 1);
        QCOMPARE(rig.settings(), QByteArray("1\r\n1\r\n0\r\n0\r\n100\r\n"));
    }

    void choosingAFormatRefillsTheParametersAndSaves()
    {
        Rig rig;
        rig.page->PageShown();
        rig.fake->paramCounts[8] = 4;
        rig.fake->calls.clear();
        rig.choose("cbFormat", 8);
        QCOMPARE(rig.fake->calls.first(), QString("SelectFormat(8)"));
        QCOMPARE(rig.fake->calls.last(), QString("SelectParam(0)"));
        QCOMPARE(rig.list("cbPara")->count(), 4);
        QCOMPARE(rig.list("cbPara")->currentText(), QString("F8P0"));
        QCOMPARE(rig.settings(), QByteArray("-1\r\n-1\r\n8\r\n0\r\n100\r\n"));
        rig.choose("cbPara", 3);
        QCOMPARE(rig.fake->calls.last(), QString("SelectParam(3)"));
        QCOMPARE(rig.settings(), QByteArray("-1\r\n-1\r\n8\r\n3\r\n100\r\n"));
    }

    void restoreFromSettingsFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QList<int>>("selected"); // device, source, format, param, volume
        QTest::newRow("complete") << QByteArray("1\r\n1\r\n1\r\n1\r\n40\r\n") << QList<int>{1, 1, 1, 1, 40};
        QTest::newRow("LF only") << QByteArray("1\n1\n1\n1\n40\n") << QList<int>{1, 1, 1, 1, 40};
        QTest::newRow("short file") << QByteArray("1\r\n") << QList<int>{1, -1, 0, 0, 100};
        QTest::newRow("empty file") << QByteArray("") << QList<int>{-1, -1, 0, 0, 100};
        QTest::newRow("no numbers") << QByteArray("x\r\ny\r\nz\r\nw\r\nloud\r\n") << QList<int>{0, 0, 0, 0, 100};
        QTest::newRow("negative") << QByteArray("-3\r\n-1\r\n-2\r\n-9\r\n-5\r\n") << QList<int>{-1, -1, -1, -1, 0};
        QTest::newRow("huge") << QByteArray("99999999999\r\n7\r\n4294967296\r\n12\r\n1000\r\n")
                              << QList<int>{-1, -1, -1, -1, 100};
        QTest::newRow("past the lists") << QByteArray("2\r\n0\r\n9\r\n0\r\n50\r\n") << QList<int>{-1, -1, -1, 0, 50};
    }
    void restoreFromSettingsFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QList<int>, selected);
        Rig rig(true, file);
        rig.page->PageShown();
        const QList<int> actual = {rig.list("cbDevice")->currentIndex(), rig.list("cbSource")->currentIndex(),
                                   rig.list("cbFormat")->currentIndex(), rig.list("cbPara")->currentIndex(),
                                   rig.w<QSlider>("TB_Volume")->value()};
        QCOMPARE(actual, selected);
        QCOMPARE(rig.settings(), file); // restoring saves nothing
        QVERIFY(rig.dialogs.errors.isEmpty());

        // The restoring marks are gone: the next choice saves.
        rig.choose("cbFormat", 3);
        QVERIFY(rig.settings() != file);
    }

    void restoredDeviceKeepsTheRestoredSource()
    {
        Rig rig(true, "1\r\n1\r\n0\r\n0\r\n100\r\n");
        rig.page->PageShown();
        const QStringList calls = rig.fake->calls.mid(rig.fake->calls.indexOf("SelectDevice(1)"));
        QCOMPARE(calls.mid(0, 6), QStringList({"SelectDevice(1)", "SourceCount", "SourceName(0)", "SourceName(1)",
                                               "SelectSource(-1)", "SelectSource(1)"}));
    }

    void recChecksInOrder_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::newRow("no device") << QByteArray("-1\r\n") << NoDevice;
        QTest::newRow("no format") << QByteArray("1\r\n0\r\n-1\r\n") << QString("Selezionare il formato di registrazione");
        QTest::newRow("no parameter") << QByteArray("1\r\n0\r\n0\r\n-1\r\n") << QString("Selezionare il tipo di compressione");
    }
    void recChecksInOrder()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        Rig rig(true, file);
        rig.page->PageShown();
        rig.fake->calls.clear();
        rig.click("btnRecord");
        QCOMPARE(rig.dialogs.shown, QStringList{message});
        QVERIFY(rig.fake->calls.isEmpty());
        QCOMPARE(rig.buttonStates(), Ready);
    }

    void recStopPauseStates()
    {
        Rig rig;
        rig.readyToRecord();
        QVERIFY(!QFile::exists(rig.setup.recordingFolder));
        rig.w<QSlider>("TB_Volume")->setValue(70);
        rig.click("btnRecord");
        QVERIFY(QFileInfo(rig.setup.recordingFolder).isDir());
        const QString name = rig.text("Lbl_File");
        QVERIFY2(QRegularExpression("^\\d.*_\\d.*\\.WAV$").match(name).hasMatch(), qPrintable(name));
        QCOMPARE(QString::fromStdString(rig.fake->outputFile), QDir(rig.setup.recordingFolder).filePath(name));
        QCOMPARE(rig.fake->calls, QStringList({"SetVolume(70)", "SetOutputFile", "StartRecording(2,44100)"}));
        QCOMPARE(rig.buttonStates(), Recording);
        QVERIFY(rig.w<QTimer>("TimerRegistrazione")->isActive());
        QCOMPARE(rig.w<QTimer>("TimerRegistrazione")->interval(), 100);

        rig.click("btnPause");
        QCOMPARE(rig.button("btnPause")->text(), QString("Resume"));
        rig.click("btnStop");
        QCOMPARE(rig.buttonStates(), Ready);
        QCOMPARE(rig.button("btnPause")->text(), QString("Resume"));
        QVERIFY(rig.w<QTimer>("TimerRegistrazione")->isActive());

        // Stopped while paused: the next recording's first Pause press resumes.
        rig.fake->calls.clear();
        rig.click("btnRecord");
        rig.click("btnPause");
        QCOMPARE(rig.fake->calls.last(), QString("Resume"));
        QCOMPARE(rig.button("btnPause")->text(), QString("Pause"));
        rig.click("btnPause");
        QCOMPARE(rig.fake->calls.last(), QString("Pause"));
        QCOMPARE(rig.fake->calls.count("Stop"), 0);
        QVERIFY(rig.dialogs.errors.isEmpty());
    }

    void aRecordingNeverOverwritesAnEarlierOne()
    {
        Rig rig;
        rig.readyToRecord();
        QDir().mkpath(rig.setup.recordingFolder);
        const QDateTime now = QDateTime::currentDateTime();
        for (int s = 0; s <= 2; ++s) {
            QFile taken(QDir(rig.setup.recordingFolder).filePath(RecordingFileName::make(now.addSecs(s), QLocale(), "WAV")));
            QVERIFY(taken.open(QIODevice::WriteOnly));
        }
        rig.click("btnRecord");
        QVERIFY2(rig.text("Lbl_File").contains("_2.WAV"), qPrintable(rig.text("Lbl_File")));
    }

    void timerShowsClockMetersAndFileSize_data()
    {
        QTest::addColumn<double>("elapsed");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<int>("sx");
        QTest::addColumn<int>("dx");
        QTest::newRow("halves to even down") << 2.5 << 16384 << 32768 << "2 Sec" << 50 << 100;
        QTest::newRow("halves to even up") << 3.5 << 0 << 49 << "4 Sec" << 0 << 0;
        QTest::newRow("nearest") << 59.7 << 164 << 163 << "60 Sec" << 1 << 0;
    }
    void timerShowsClockMetersAndFileSize()
    {
        QFETCH(double, elapsed);
        QFETCH(int, left);
        QFETCH(int, right);
        Rig rig;
        rig.readyToRecord();
        rig.click("btnRecord");
        QFile file(QString::fromStdString(rig.fake->outputFile));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(1536, 'x'));
        file.close();
        rig.fake->elapsed = elapsed;
        rig.fake->left = left;
        rig.fake->right = right;
        rig.page->TimerRegistrazioneTimer();
        QTEST(rig.text("Lbl_DurataRegistrazione"), "duration");
        QTEST(rig.w<QProgressBar>("ProgressSX")->value(), "sx");
        QTEST(rig.w<QProgressBar>("ProgressDX")->value(), "dx");
        QCOMPARE(rig.text("Lbl_Filesize"), QString("1.5 Kb"));
    }

    void aRecordingThatEndsByItselfReturnsToReady()
    {
        Rig rig;
        rig.readyToRecord();
        rig.click("btnRecord");
        rig.fake->listener->recordingFailed("Spazio su disco esaurito: registrazione interrotta.");
        QTRY_COMPARE_WITH_TIMEOUT(rig.dialogs.errors,
                                  QStringList{"Spazio su disco esaurito: registrazione interrotta."}, 2000);
        QCOMPARE(rig.buttonStates(), Ready);
        QVERIFY(rig.fake->calls.contains("Stop"));
    }

    // What keeps the machine awake hears when a recording starts and when it ends, by Stop
    // or by a fault.
    void theRecordingSaysWhenItRuns()
    {
        Rig rig;
        rig.readyToRecord();
        QSignalSpy running(rig.page.get(), &RecordingPage::recordingChanged);
        rig.click("btnRecord");
        rig.click("btnStop");
        rig.click("btnRecord");
        rig.fake->listener->recordingFailed("Dispositivo scollegato.");
        QTRY_COMPARE_WITH_TIMEOUT(running.size(), 4, 2000);
        QCOMPARE(running[0][0].toBool(), true);
        QCOMPARE(running[1][0].toBool(), false);
        QCOMPARE(running[2][0].toBool(), true);
        QCOMPARE(running[3][0].toBool(), false);
        // A recording that cannot start never said it runs.
        running.clear();
        rig.fake->failing = {"StartRecording"};
        rig.click("btnRecord");
        for (const QList<QVariant> &change : running)
            QCOMPARE(change[0].toBool(), false);
    }

    void aRecordingThatCannotStartStaysReady()
    {
        Rig rig;
        rig.readyToRecord();
        rig.fake->failing = {"StartRecording"};
        rig.click("btnRecord");
        QCOMPARE(rig.dialogs.errors, QStringList{"StartRecording failed"});
        QCOMPARE(rig.buttonStates(), Ready);
        QVERIFY(!rig.w<QTimer>("TimerRegistrazione")->isActive());
    }

    void anUnusableComponentEndsTheSetUpSilently()
    {
        Rig rig(true, "0\r\n0\r\n2\r\n0\r\n");
        rig.unusable = true;
        rig.page->PageShown();
        QVERIFY(rig.page->componentCreated());
        QCOMPARE(rig.list("cbDevice")->count(), 0);
        // The restored format is applied as a choice and meets the failure once.
        QCOMPARE(rig.dialogs.errors, QStringList{"Componente non registrato"});
        QCOMPARE(rig.list("cbFormat")->currentIndex(), 2);
        rig.click("btnRecord");
        QCOMPARE(rig.dialogs.shown.size(), 1);
        QVERIFY(rig.dialogs.shown.first().startsWith(NoDevice));
        QVERIFY(rig.dialogs.shown.first().contains("Componente non registrato"));
    }

    void aSettingsFileThatCannotBeWrittenIsReported()
    {
        Rig rig;
        rig.page->PageShown();
        QDir(rig.setup.settingsFolder).removeRecursively();
        rig.choose("cbDevice", 0);
        QCOMPARE(rig.dialogs.errors.size(), 1);
        QVERIFY(!rig.dialogs.errors.first().isEmpty());
    }

    void openFolderOpensTheRecordingFolder()
    {
        Rig rig;
        rig.page->PageShown();
        rig.click("BitBtn11");
        QCOMPARE(rig.shell.opened, QStringList{QDir::cleanPath(rig.setup.recordingFolder)});
    }

    void everyControlIsNamedAndReachableByKeyboard()
    {
        Rig rig;
        rig.page->PageShown();
        for (const char *name : {"cbDevice", "cbSource", "cbFormat", "cbPara", "TB_Volume", "btnRecord", "btnStop",
                                 "btnPause", "BitBtn11"}) {
            QWidget *control = rig.w(QString::fromLatin1(name));
            QVERIFY2(control, name);
            QVERIFY2(!control->accessibleName().isEmpty(), name);
            QVERIFY2(control->focusPolicy() & Qt::TabFocus, name);
        }
        for (const char *name : {"Lbl_DurataRegistrazione", "ProgressSX", "ProgressDX", "Lbl_Folder", "Lbl_File",
                                 "Lbl_Total", "Lbl_Free", "Lbl_Used", "Lbl_Filesize", "Pnl_Free", "Pnl_Usage",
                                 "Pnl_File", "Chart2"})
            QVERIFY2(rig.w(QString::fromLatin1(name)) && !rig.w(QString::fromLatin1(name))->accessibleName().isEmpty(),
                     name);
        QCOMPARE(rig.w<QProgressBar>("ProgressSX")->value(), 50);
        QVERIFY(!rig.w<QProgressBar>("ProgressSX")->isTextVisible());
    }
};

QTEST_MAIN(TestRecordingPage)
#include "test_recordingpage.moc"
