// Stations imported from a playlist play their real streams: the service imports a
// playlist whose station is an Icecast-like stream that the test serves, the client lists
// it among the new stations, and a click on its row plays it. An MP3 stream behind a PLS
// playlist is heard on the sink; an Ogg Vorbis stream, which this engine cannot play,
// gets a message on its page.
#include "enginerig.h"
#include "icecaststream.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "soundmonitor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cmath>
#include <memory>

namespace {

constexpr double ToneHz = 660;
constexpr int ToneSeconds = 10;

QString servicePath() { return QStringLiteral(STATION_SERVICE_PATH); }

// A station service of its own over a directory that one playlist was imported into,
// on ports of its choice; the rigs made while it lives point at it.
class ImportedService
{
public:
    ~ImportedService()
    {
        if (m_service.state() != QProcess::NotRunning) {
            m_service.terminate();
            m_service.waitForFinished(10000);
        }
    }

    // Imports the M3U text, starts the service; an empty text when all went well.
    QString start(const QByteArray &m3u)
    {
        const QString playlist = m_work.filePath(QStringLiteral("stations.m3u"));
        QFile file(playlist);
        if (!file.open(QIODevice::WriteOnly) || file.write(m3u) != m3u.size())
            return QStringLiteral("cannot write the playlist");
        file.close();
        const QString db = m_work.filePath(QStringLiteral("directory.sqlite"));
        QProcess import;
        import.start(servicePath(), {QStringLiteral("--db"), db, QStringLiteral("--import"), playlist});
        if (!import.waitForFinished(30000))
            return QStringLiteral("the import did not end");
        const QByteArray report = import.readAllStandardOutput();
        if (import.exitCode() != 0 || !report.contains("1 added, 0 updated, 0 unchanged, 0 refused"))
            return QStringLiteral("import: ") + QString::fromUtf8(report);

        const QString ready = m_work.filePath(QStringLiteral("ready"));
        m_service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_service.start(servicePath(), {QStringLiteral("--db"), db, QStringLiteral("--mirror-ports"),
                                        QStringLiteral("0,0,0,0,0,0"), QStringLiteral("--site-ports"),
                                        QStringLiteral("0,0,0,0"), QStringLiteral("--ready-file"), ready,
                                        QStringLiteral("--exit-with-parent")});
        if (!m_service.waitForStarted(10000) || !QTest::qWaitFor([&] { return QFile::exists(ready); }, 15000))
            return QStringLiteral("the service did not start");
        QFile readyFile(ready);
        if (!readyFile.open(QIODevice::ReadOnly))
            return QStringLiteral("no ready file");
        const QStringList hosts =
            QString::fromLatin1(readyFile.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        if (hosts.size() != 10)
            return QStringLiteral("ready file: ") + hosts.join(QLatin1Char(' '));
        QStringList mirrorPorts, sitePorts;
        for (int i = 0; i < 10; ++i)
            (i < 6 ? mirrorPorts : sitePorts).append(hosts[i].section(QLatin1Char(':'), -1));
        qputenv("SINTONIA_TEST_MIRROR_PORTS", mirrorPorts.join(QLatin1Char(',')).toLatin1());
        qputenv("SINTONIA_TEST_SITE_PORTS", sitePorts.join(QLatin1Char(',')).toLatin1());
        return {};
    }

private:
    QTemporaryDir m_work;
    QProcess m_service;
};

QByteArray playlistOf(const QString &name, const QString &address)
{
    return QStringLiteral("#EXTM3U\r\n#EXTINF:-1,%1\r\n%2\r\n").arg(name, address).toUtf8();
}

// The only station is new and never played: the new-stations list has it in slot 1. The
// user opens the "New" tab and clicks the row; true once the program says it plays.
bool playNewStation(TFrm_Sintonia *w, const QString &name)
{
    if (!QTest::qWaitFor([&] { return w->catalogue().store().List3[1].Name == name; }, 30000))
        return false;
    auto *lists = w->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    QWidget *newTab = w->findChild<QWidget *>(QStringLiteral("TabSheet5"));
    QWidget *row = w->findChild<QWidget *>(QStringLiteral("Lbl_3_1"));
    if (!lists || !newTab || !row)
        return false;
    lists->setCurrentWidget(newTab);
    if (!QTest::qWaitFor([&] { return row->isVisible(); }, 10000))
        return false;
    QTest::mouseClick(row, Qt::LeftButton);
    const QString hint = QStringLiteral("Stai ascoltando: \"%1\"").arg(name);
    return QTest::qWaitFor([&] { return w->playback().hint() == hint; }, 30000);
}

// The player's state on the station page: its error code, readiness, and the page's
// message to the user.
QString playerState(QWidget *window)
{
    for (QWebEngineView *view : window->findChildren<QWebEngineView *>()) {
        if (!view->url().toString().contains(QStringLiteral("mostraRadio")))
            continue;
        QString state = QStringLiteral("no answer");
        bool answered = false;
        view->page()->runJavaScript(
            QStringLiteral("(function(){var a=document.getElementById('flusso');"
                           "var n=document.getElementById('avviso');"
                           "return a ? 'src=' + a.src + ' error=' + (a.error ? a.error.code : 0)"
                           " + ' ready=' + a.readyState + ' network=' + a.networkState + ' paused=' + a.paused"
                           " + ' note=' + (n && !n.hidden ? n.textContent : '')"
                           " : 'no player: ' + document.body.innerText;})()"),
            [&](const QVariant &result) {
                state = result.toString();
                answered = true;
            });
        if (!QTest::qWaitFor([&] { return answered; }, 5000))
            state = QStringLiteral("no answer");
        return state;
    }
    return QStringLiteral("no player page");
}

} // namespace

class TestE2eImport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!SoundMonitor::available())
            QSKIP("needs the PulseAudio null sink of scripts/test-session.sh");
    }

    void importedStationPlaysItsStream()
    {
        const QByteArray mp3 = IcecastStream::encodeTone(ToneHz, ToneSeconds);
        QVERIFY2(mp3.size() > 1000, "libsndfile cannot encode MP3 here");
        IcecastStream radio(mp3, ToneSeconds);
        QVERIFY(radio.port() > 0);

        // The station's address is itself a playlist, which names the stream.
        const QString name = QStringLiteral("Radio Prova Import");
        ImportedService service;
        const QString failure =
            service.start(playlistOf(name, QStringLiteral("http://127.0.0.1:%1/listen.pls").arg(radio.port())));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        EngineRig rig(1);
        TFrm_Sintonia *w = rig.main();
        QVERIFY(playNewStation(w, name));

        // The page's player starts on the stream (the event loop runs meanwhile: recording
        // below holds it up).
        QTRY_VERIFY2_WITH_TIMEOUT(playerState(w).contains(QStringLiteral("paused=false")),
                                  qPrintable(QStringLiteral("%1; %2 bytes sent").arg(playerState(w)).arg(radio.bytesSent())),
                                  20000);

        // The stream's own tone reaches the sink (the service's tone for this id would be
        // 220 Hz).
        double level = 0;
        QElapsedTimer waited;
        waited.start();
        while (level < 0.05 && waited.elapsed() < 20000)
            level = SoundMonitor::rms(SoundMonitor::record(1500));
        QVERIFY2(level >= 0.05, qPrintable(QStringLiteral("RMS %1 after %2 requests of the stream, %3 bytes sent; %4")
                                               .arg(level)
                                               .arg(radio.liveRequests())
                                               .arg(radio.bytesSent())
                                               .arg(playerState(w))));
        const QByteArray sound = SoundMonitor::record(1000);
        const double hz = SoundMonitor::frequency(sound);
        QVERIFY2(std::abs(hz - ToneHz) < ToneHz * 0.02,
                 qPrintable(QStringLiteral("%1 Hz, expected %2").arg(hz).arg(ToneHz)));
    }

    void unplayableStreamGetsAMessage()
    {
        const QByteArray vorbis = IcecastStream::encodeVorbisTone(ToneHz, ToneSeconds);
        QVERIFY2(vorbis.size() > 1000, "libsndfile cannot encode Ogg Vorbis here");
        IcecastStream radio(vorbis, ToneSeconds, "audio/ogg");
        QVERIFY(radio.port() > 0);

        const QString name = QStringLiteral("Radio Vorbis");
        ImportedService service;
        const QString failure = service.start(playlistOf(name, QStringLiteral("http://127.0.0.1:%1/live").arg(radio.port())));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        EngineRig rig(1);
        TFrm_Sintonia *w = rig.main();
        QVERIFY(playNewStation(w, name));
        QTRY_VERIFY2_WITH_TIMEOUT(playerState(w).contains(QStringLiteral("Ogg Vorbis")), qPrintable(playerState(w)),
                                  20000);
        QVERIFY(radio.liveRequests() >= 1);
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eImport)
#include "test_e2e_import.moc"
