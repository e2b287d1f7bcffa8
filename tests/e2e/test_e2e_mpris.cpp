// The real windows against the local station service, driven from the desktop's media
// controls on a private session bus: pause leaves the sound card silent, play asks the
// service for the same station again, next for the station below it in the list, and
// raise brings the window back from the tray.
#include "enginerig.h"
#include "mprisprobe.h"
#include "platform/mprisnotice.h"
#include "playback/mediacontrol.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "soundmonitor.h"
#include "stationservice.h"
#include "app/windowmodes.h"
#include "platform/webpane.h"

#include <QDBusConnection>
#include <QElapsedTimer>
#include <QTest>
#include <QUrl>

#include <cmath>

namespace {

constexpr double Heard = 0.05;  // RMS of a playing station
constexpr double Silent = 0.005;

// The tone the service plays for a station: 200 Hz + 20 Hz per id, modulo 50.
double toneOf(int id)
{
    return 200 + 20 * (id % 50);
}

int idOf(const QString &url)
{
    return url.section(QLatin1Char('='), -1).toInt();
}

// The path and query the service logs for a station's address.
QString target(const QString &url)
{
    const QUrl parsed(url);
    return parsed.path() + QLatin1Char('?') + parsed.query();
}

// Listens until the sink is heard at `level` or above (or at most `level` when `quiet`).
bool waitForSound(double level, bool quiet, int timeoutMs, double *measured)
{
    QElapsedTimer waited;
    waited.start();
    do {
        *measured = SoundMonitor::rms(SoundMonitor::record(1000));
        if (quiet ? *measured <= level : *measured >= level)
            return true;
        QTest::qWait(250); // the engine's own work runs on this thread too
    } while (waited.elapsed() < timeoutMs);
    return false;
}

// Listens until the station's tone is heard; a machine under load may drop a few samples
// from one recording, so more than one is taken.
bool waitForTone(double expected, int timeoutMs, double *hz)
{
    QElapsedTimer waited;
    waited.start();
    do {
        *hz = SoundMonitor::frequency(SoundMonitor::record(1000));
        if (std::abs(*hz - expected) < expected * 0.02)
            return true;
        QTest::qWait(250);
    } while (waited.elapsed() < timeoutMs);
    return false;
}

} // namespace

class TestE2eMpris : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!StationService::available())
            QSKIP("needs the station service of scripts/test-session.sh");
        if (!SoundMonitor::available())
            QSKIP("needs the PulseAudio null sink of scripts/test-session.sh");
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs the private session bus of scripts/test-session.sh");
    }

    void pausePlayNextAndRaise()
    {
        MprisNotice remote;
        EngineRig rig(1, &remote);
        TFrm_Sintonia *w = rig.main();
        w->media().setRemote(&remote);
        w->playback().setMessengerOption(true);
        MprisProbe probe(QLatin1String(MprisNotice::ServiceName));
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanControl")), QVariant(true), 10000);
        QVERIFY(probe.waitUntilListening());
        QVERIFY(rig.waitForCatalogue());
        const CatalogueEntry first = w->catalogue().store().List1[15];
        const CatalogueEntry second = w->catalogue().store().List1[14];
        QVERIFY(!first.Name.isEmpty() && !second.Name.isEmpty());
        QVERIFY(toneOf(idOf(first.Url)) != toneOf(idOf(second.Url)));

        // A station plays from its row.
        int logStart = StationService::logLineCount();
        QTest::mouseClick(w->findChild<QWidget *>(QStringLiteral("Lbl_1_15")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(probe.metadata().value(QStringLiteral("xesam:title")).toString(), first.Name, 30000);
        QCOMPARE(probe.status(), QStringLiteral("Playing"));
        double level = 0;
        QVERIFY2(waitForSound(Heard, false, 20000, &level), qPrintable(QString::number(level)));
        QCOMPARE(StationService::requests(StationService::logLines(logStart), 1, target(first.Url)).size(), 1);

        // Pause: silence, and the widget still names the station.
        logStart = StationService::logLineCount();
        QCOMPARE(probe.call(QStringLiteral("Pause")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(probe.status(), QStringLiteral("Paused"), 10000);
        WebPane *radio = w->pane(QStringLiteral("Wb_Radio"));
        QTRY_VERIFY_WITH_TIMEOUT(radio->locationUrl() == QLatin1String("about:blank") && !radio->busy(), 15000);
        QVERIFY2(waitForSound(Silent, true, 15000, &level), qPrintable(QString::number(level)));
        QCOMPARE(probe.metadata().value(QStringLiteral("xesam:title")).toString(), first.Name);
        QCOMPARE(probe.lastChange(QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Paused"));
        QCOMPARE(probe.get(QStringLiteral("CanPlay")), QVariant(true));

        // Play: the same station, asked for once more, and heard in its own tone.
        QCOMPARE(probe.call(QStringLiteral("Play")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(StationService::requests(StationService::logLines(logStart), 1, target(first.Url)).size(),
                                  1, 15000);
        QTRY_COMPARE_WITH_TIMEOUT(probe.status(), QStringLiteral("Playing"), 10000);
        QVERIFY2(waitForSound(Heard, false, 20000, &level), qPrintable(QString::number(level)));
        double hz = 0;
        QVERIFY2(waitForTone(toneOf(idOf(first.Url)), 20000, &hz),
                 qPrintable(QStringLiteral("%1 Hz, expected %2").arg(hz).arg(toneOf(idOf(first.Url)))));

        // Next: the station below, and nothing else asked of the service's station pages.
        logStart = StationService::logLineCount();
        QCOMPARE(probe.get(QStringLiteral("CanGoPrevious")), QVariant(false));
        QCOMPARE(probe.call(QStringLiteral("Next")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(probe.metadata().value(QStringLiteral("xesam:title")).toString(), second.Name, 30000);
        QCOMPARE(StationService::requests(StationService::logLines(logStart), 1, target(second.Url)).size(), 1);
        QCOMPARE(StationService::requests(StationService::logLines(logStart), 1, target(first.Url)).size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(probe.lastChange(QStringLiteral("CanGoPrevious")), QVariant(true), 10000);
        QCOMPARE(probe.get(QStringLiteral("CanGoNext")), QVariant(true));
        QVERIFY2(waitForTone(toneOf(idOf(second.Url)), 20000, &hz),
                 qPrintable(QStringLiteral("%1 Hz, expected %2").arg(hz).arg(toneOf(idOf(second.Url)))));

        // Raise: back from the tray.
        w->modes().HideToTray();
        w->hide();
        QVERIFY(!w->isVisible());
        QCOMPARE(probe.call(QStringLiteral("Raise"), {}, QLatin1String(MprisProbe::RootInterface)).type(),
                 QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(w->isVisible(), 10000);
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2eMpris)
#include "test_e2e_mpris.moc"
