// The recorder component as the program loads it, under the PulseAudio null sink "rec"
// that scripts/test-session.sh starts: a tone played to the sink is recorded from its
// monitor in every format, a file ends where Stop was pressed, a wait for the server that
// gives up leaves no answer behind, and a device that goes away ends the recording cleanly.
#include "audiocheck.h"
#include "audiorecorder.h"
#include "formatcatalog.h"
#include "pulseloop.h"
#include "recording/audiorecorderror.h"
#include "recording/tcaudiorecord.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <pulse/introspect.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {

const QStringList FormatNames = {"WAV", "MP3", "WMA", "OGG", "VOX", "AU", "AIFF", "MP4", "FLAC"};

bool pactl(const QStringList &arguments, QString *output = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    if (!process.waitForFinished(5000))
        return false;
    if (output)
        *output = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// When each block of samples arrived, and how far the recording had come by then.
struct Block
{
    std::chrono::steady_clock::time_point at;
    std::uint64_t frames = 0;
    int number = 0;
};

class BlockClock final : public IAudioRecordListener
{
public:
    explicit BlockClock(const AudioRecorder &recorder) : m_recorder(recorder) {}

    void waveDataReady() override
    {
        {
            const std::lock_guard lock(m_mutex);
            m_last = {std::chrono::steady_clock::now(), m_recorder.Stats().framesCaptured, m_last.number + 1};
        }
        m_arrived.notify_all();
    }
    void recordingFailed(const std::string &) override {}

    // The first block after `after`; false when none comes within `limit`.
    bool next(int after, Block &block, std::chrono::milliseconds limit)
    {
        std::unique_lock lock(m_mutex);
        if (!m_arrived.wait_for(lock, limit, [&] { return m_last.number > after; }))
            return false;
        block = m_last;
        return true;
    }
    Block last()
    {
        const std::lock_guard lock(m_mutex);
        return m_last;
    }

private:
    const AudioRecorder &m_recorder;
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    Block m_last;
};

int deviceIndex(TCAudioRecord &record, const QString &description)
{
    const int count = record.DeviceCount();
    for (int i = 0; i < count; ++i)
        if (record.DeviceName(i) == description)
            return i;
    return -1;
}

} // namespace

class TestE2eRecording : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QProcess m_player;
    std::unique_ptr<TCAudioRecord> m_record;

    void startTone(const QString &sink)
    {
        const QString tone = m_dir.filePath("tone.wav");
        if (!QFileInfo::exists(tone))
            QVERIFY(writeToneFile(tone.toStdString(), 30));
        m_player.start(QStringLiteral("paplay"), {QStringLiteral("--device=") + sink, tone});
        QVERIFY(m_player.waitForStarted(5000));
    }

    void stopTone()
    {
        m_player.kill();
        m_player.waitForFinished(5000);
    }

private slots:
    void initTestCase()
    {
        if (!pactl({QStringLiteral("info")}))
            QSKIP("no PulseAudio server answers");
        m_record = TCAudioRecord::load(QStringLiteral(SINTONIA_AUDIOCTL_PLUGIN));
        QVERIFY(m_record->DeviceCount() > 0);
    }

    void theDefaultOutputsMonitorComesFirst()
    {
        QString defaultSink;
        QVERIFY(pactl({QStringLiteral("get-default-sink")}, &defaultSink));
        QString sources;
        QVERIFY(pactl({QStringLiteral("list"), QStringLiteral("sources"), QStringLiteral("short")}, &sources));
        QVERIFY(sources.contains(defaultSink + QStringLiteral(".monitor")));
        m_record->SelectDevice(0);
        QCOMPARE(m_record->SourceCount(), 1);
        QVERIFY(m_record->DeviceName(0).startsWith(QStringLiteral("Monitor of")));
    }

    void toneIsRecordedInEveryFormat_data()
    {
        QTest::addColumn<int>("format");
        for (int i = 0; i < FormatNames.size(); ++i)
            QTest::newRow(FormatNames[i].toLatin1().constData()) << i;
    }
    void toneIsRecordedInEveryFormat()
    {
        QFETCH(int, format);
        startTone(QStringLiteral("rec"));
        const QString path = m_dir.filePath(QStringLiteral("take.") + FormatNames[format]);
        m_record->SelectDevice(0);
        m_record->SelectSource(0);
        m_record->SelectFormat(format);
        m_record->SelectParam(0);
        m_record->SetVolume(100);
        m_record->SetOutputFile(path);
        QSignalSpy blocks(m_record.get(), &TCAudioRecord::OnPCMWaveData);
        m_record->StartRecording(2, 44100);
        QTRY_VERIFY_WITH_TIMEOUT(m_record->ElapsedTime() >= 3.0, 10000);
        const int peak = m_record->LeftLevel();
        m_record->Stop();
        stopTone();
        QVERIFY(!blocks.isEmpty());
        QVERIFY2(peak > 12000 && peak < 20000, QByteArray::number(peak).constData());
        const AudioRecordStats stats = m_record->Stats();
        QCOMPARE(stats.overruns, std::uint64_t(0));

        const EncoderSetting &setting = FormatCatalog::formats()[static_cast<std::size_t>(format)].settings[0];
        const DecodedAudio audio = setting.library == EncoderLibrary::FFmpeg
            ? decodeWithFFmpeg(path.toStdString())
            : decodeWithSndfile(path.toStdString(), setting.channels == 1 ? setting.sampleRate : 0);
        QVERIFY2(audio.error.empty(), audio.error.c_str());
        const double seconds = static_cast<double>(audio.samples.size()) / audio.sampleRate;
        QVERIFY2(seconds > 2.8 && seconds < 4.0, QByteArray::number(seconds).constData());
        const double frequency = toneFrequency(audio);
        QVERIFY2(std::abs(frequency - 1000) < 10, QByteArray::number(frequency).constData());
    }

    void theFileEndsWhereStopWasPressed()
    {
        // A capture source sends what it records a fragment at a time (100 ms here). Stop
        // pressed late in a fragment keeps what was recorded since the last block, and
        // nothing recorded after the press.
        QString module;
        QVERIFY(pactl({QStringLiteral("load-module"), QStringLiteral("module-null-source"),
                       QStringLiteral("source_name=quiet"),
                       QStringLiteral("description=Quiet")},
                      &module));
        AudioRecorder recorder;
        BlockClock blocks(recorder);
        recorder.SetListener(&blocks);
        int count = 0;
        QVERIFY(recorder.DeviceCount(count));
        int device = -1;
        for (int i = 0; i < count; ++i) {
            std::string name;
            if (recorder.DeviceName(i, name) && name == "Quiet")
                device = i;
        }
        QVERIFY(device >= 0);
        const QString path = m_dir.filePath(QStringLiteral("stop.WAV"));
        QVERIFY(recorder.SelectDevice(device) && recorder.SelectFormat(0) && recorder.SelectParam(0));
        QVERIFY(recorder.SetOutputFile(path.toStdString()));
        QVERIFY2(recorder.StartRecording(2, 44100), recorder.error().c_str());
        QTRY_VERIFY_WITH_TIMEOUT(recorder.ElapsedTime() >= 1.0, 10000);

        // The press comes 70 ms after a block, with no block in between.
        Block before;
        std::chrono::steady_clock::time_point pressed;
        for (int attempt = 0; attempt < 5; ++attempt) {
            QVERIFY(blocks.next(blocks.last().number, before, std::chrono::milliseconds(2000)));
            std::this_thread::sleep_until(before.at + std::chrono::milliseconds(70));
            pressed = std::chrono::steady_clock::now();
            if (blocks.last().number == before.number)
                break;
        }
        QVERIFY(recorder.Stop());
        recorder.SetListener(nullptr);
        QVERIFY(pactl({QStringLiteral("unload-module"), module}));

        const DecodedAudio audio = decodeWithSndfile(path.toStdString());
        QVERIFY2(audio.error.empty(), audio.error.c_str());
        const double sinceBlock = std::chrono::duration<double>(pressed - before.at).count();
        const double expected = static_cast<double>(before.frames) / 44100 + sinceBlock;
        const double seconds = static_cast<double>(audio.samples.size()) / audio.sampleRate;
        const QByteArray figures = QByteArray::number(seconds) + " s in the file, Stop pressed at "
            + QByteArray::number(expected) + " s (" + QByteArray::number(sinceBlock) + " s after the last block)";
        // A block handed to this thread late makes `expected` early by that much, never late.
        QVERIFY2(seconds > expected - 0.02 && seconds < expected + 0.05, figures.constData());
    }

    void anAnswerAfterTheWaitCallsNothing()
    {
        // A wait that gives up cancels its operation: the late answer must not reach a
        // callback whose data may be gone by then (a variable of a function that returned).
        PulseLoop loop;
        std::string error;
        QVERIFY2(loop.connect(deadlineIn(5000), error), error.c_str());
        int lateAnswers = 0;
        pa_operation *given = pa_context_get_server_info(
            loop.context(), [](pa_context *, const pa_server_info *, void *user) { ++*static_cast<int *>(user); },
            &lateAnswers);
        QVERIFY(!loop.await(given, [&] { return lateAnswers > 0; }, PulseLoop::Clock::now()));
        // The server answers in order: once a second question is answered, so is the first.
        bool answered = false;
        pa_operation *next = pa_context_get_server_info(
            loop.context(), [](pa_context *, const pa_server_info *, void *user) { *static_cast<bool *>(user) = true; },
            &answered);
        QVERIFY(loop.await(next, [&] { return answered; }, deadlineIn(5000)));
        QCOMPARE(lateAnswers, 0);
    }

    void aDeviceThatGoesAwayEndsTheRecordingWithItsFileClosed()
    {
        QString module;
        QVERIFY(pactl({QStringLiteral("load-module"), QStringLiteral("module-null-sink"),
                       QStringLiteral("sink_name=vanishing"),
                       QStringLiteral("sink_properties=device.description=Vanishing")},
                      &module));
        const int device = deviceIndex(*m_record, QStringLiteral("Monitor of Vanishing"));
        QVERIFY(device >= 0);
        startTone(QStringLiteral("vanishing"));
        const QString path = m_dir.filePath(QStringLiteral("vanishing.WAV"));
        m_record->SelectDevice(device);
        m_record->SelectFormat(0);
        m_record->SelectParam(0);
        m_record->SetOutputFile(path);
        QSignalSpy ended(m_record.get(), &TCAudioRecord::recordingEnded);
        m_record->StartRecording(2, 44100);
        QTRY_VERIFY_WITH_TIMEOUT(m_record->ElapsedTime() >= 1.0, 10000);
        QVERIFY(pactl({QStringLiteral("unload-module"), module}));
        QTRY_COMPARE_WITH_TIMEOUT(ended.count(), 1, 5000);
        stopTone();
        QVERIFY(ended.first().first().toString().contains(QStringLiteral("non è più disponibile")));
        m_record->Stop();
        const DecodedAudio audio = decodeWithSndfile(path.toStdString());
        QVERIFY2(audio.error.empty(), audio.error.c_str());
        QVERIFY(static_cast<double>(audio.samples.size()) / audio.sampleRate >= 0.9);
        QVERIFY(std::abs(toneFrequency(audio) - 1000) < 10);
    }

    void aRecordingRunningAtExitIsClosed()
    {
        startTone(QStringLiteral("rec"));
        const QString path = m_dir.filePath(QStringLiteral("atexit.FLAC"));
        m_record->SelectDevice(0);
        m_record->SelectFormat(8);
        m_record->SelectParam(0);
        m_record->SetOutputFile(path);
        m_record->StartRecording(2, 44100);
        QTRY_VERIFY_WITH_TIMEOUT(m_record->ElapsedTime() >= 1.0, 10000);
        // The program ends: the component goes with the main window, without a Stop.
        m_record.reset();
        stopTone();
        const DecodedAudio audio = decodeWithSndfile(path.toStdString());
        QVERIFY2(audio.error.empty(), audio.error.c_str());
        QVERIFY(static_cast<double>(audio.samples.size()) / audio.sampleRate >= 0.9);
        QVERIFY(std::abs(toneFrequency(audio) - 1000) < 10);
        m_record = TCAudioRecord::load(QStringLiteral(SINTONIA_AUDIOCTL_PLUGIN));
    }

    void cleanupTestCase()
    {
        stopTone();
        m_record.reset();
    }
};

QTEST_GUILESS_MAIN(TestE2eRecording)
#include "test_e2e_recording.moc"
