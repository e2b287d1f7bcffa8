// Stations imported from a playlist play their real streams: the service imports a
// playlist whose station is an Icecast-like stream that the test serves, the client lists
// it among the new stations, and a click on its row plays it. An MP3 stream behind a PLS
// playlist is heard on the sink; an Ogg Vorbis stream, which this engine cannot play,
// gets a message on its page.
#include "enginerig.h"
#include "icecaststream.h"
#include "scriptedhttp.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "soundmonitor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
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

// An MP3 cut into `parts` pieces of about the same size, each cut at the start of a frame
// (a frame header with the first frame's version, layer and sample rate), so that the
// pieces played one after the other are the whole sound without a seam.
QList<QByteArray> splitAtFrames(const QByteArray &mp3, int parts)
{
    auto isHeaderAt = [&mp3](qsizetype i, char second, char rate) {
        return i + 2 < mp3.size() && mp3[i] == char(0xFF) && mp3[i + 1] == second
            && (mp3[i + 2] & 0x0C) == rate;
    };
    qsizetype first = 0;
    while (first + 2 < mp3.size() && !(mp3[first] == char(0xFF) && (mp3[first + 1] & 0xE0) == 0xE0))
        ++first;
    if (first + 2 >= mp3.size())
        return {mp3};
    const char second = mp3[first + 1];
    const char rate = char(mp3[first + 2] & 0x0C);
    QList<QByteArray> pieces;
    qsizetype start = first;
    for (int n = 1; n < parts; ++n) {
        qsizetype cut = first + (mp3.size() - first) * n / parts;
        while (cut < mp3.size() && !isHeaderAt(cut, second, rate))
            ++cut;
        pieces.append(mp3.mid(start, cut - start));
        start = cut;
    }
    pieces.append(mp3.mid(start));
    return pieces;
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

    void hlsStationPlaysThroughThePlayerScript()
    {
        if (!QFileInfo::exists(QFileInfo(servicePath()).absolutePath() + QStringLiteral("/web/hls.light.min.js")))
            QSKIP("the build could not fetch hls.js (no network at configure time)");
        // A live stream cut in segments (HLS): a playlist of ten 2-second MP3 segments of the
        // tone, served to pages of any origin as HLS servers do.
        ScriptedHttp hls;
        QVERIFY(hls.listen());
        const QByteArray mp3 = IcecastStream::encodeTone(ToneHz, 20);
        QVERIFY2(mp3.size() > 1000, "libsndfile cannot encode MP3 here");
        QByteArray playlist = "#EXTM3U\n#EXT-X-VERSION:3\n#EXT-X-TARGETDURATION:2\n#EXT-X-MEDIA-SEQUENCE:0\n";
        const QList<QByteArray> segments = splitAtFrames(mp3, 10);
        for (int n = 0; n < int(segments.size()); ++n) {
            hls.serve(QStringLiteral("/hls/%1.mp3").arg(n), "audio/mpeg", segments[n]);
            playlist += "#EXTINF:2.0,\n" + QByteArray::number(n) + ".mp3\n";
        }
        playlist += "#EXT-X-ENDLIST\n";
        hls.serve(QStringLiteral("/hls/index.m3u8"), "application/vnd.apple.mpegurl", playlist);

        const QString name = QStringLiteral("Radio Segmenti");
        ImportedService service;
        const QString failure = service.start(playlistOf(name, hls.address(QStringLiteral("/hls/index.m3u8"))));
        QVERIFY2(failure.isEmpty(), qPrintable(failure));

        EngineRig rig(1);
        TFrm_Sintonia *w = rig.main();
        QVERIFY(playNewStation(w, name));
        QTRY_VERIFY2_WITH_TIMEOUT(playerState(w).contains(QStringLiteral("paused=false")), qPrintable(playerState(w)),
                                  20000);
        double level = 0;
        QElapsedTimer waited;
        waited.start();
        while (level < 0.05 && waited.elapsed() < 20000) {
            QTest::qWait(200); // the segments are served from this thread
            level = SoundMonitor::rms(SoundMonitor::record(1000));
        }
        QVERIFY2(level >= 0.05, qPrintable(QStringLiteral("RMS %1, %2 segment requests; %3")
                                               .arg(level)
                                               .arg(hls.requestsFor(QStringLiteral("/hls/0.mp3")))
                                               .arg(playerState(w))));
        const double hz = SoundMonitor::frequency(SoundMonitor::record(1000));
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
