// The real windows against the local station service, with sound: a click on a row of
// the most-clicked list plays the station's page, its audio reaches the sound card, and
// the desktop's media-player interface names the station.
#include "enginerig.h"
#include "platform/mprisnotice.h"
#include "platform/notice.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "soundmonitor.h"
#include "stationservice.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

#include <memory>

namespace {

QVariantMap mprisMetadata()
{
    QDBusInterface properties(QLatin1String(MprisNotice::ServiceName), QStringLiteral("/org/mpris/MediaPlayer2"),
                              QStringLiteral("org.freedesktop.DBus.Properties"), QDBusConnection::sessionBus());
    properties.setTimeout(2000);
    const QDBusReply<QDBusVariant> reply = properties.call(QStringLiteral("Get"), QStringLiteral("org.mpris.MediaPlayer2.Player"),
                                                           QStringLiteral("Metadata"));
    if (!reply.isValid())
        return {};
    return qdbus_cast<QVariantMap>(reply.value().variant());
}

} // namespace

class TestE2ePlayback : public QObject
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

    void rowPlaysItsStationAloud()
    {
        MprisNotice notices;
        {
            EngineRig rig(1, &notices);
            TFrm_Sintonia *w = rig.main();
            w->playback().setMessengerOption(true);
            QVERIFY(rig.waitForCatalogue());
            const QString name = w->catalogue().store().List1[15].Name;
            QVERIFY(!name.isEmpty());

            const int logStart = StationService::logLineCount();
            QTest::mouseClick(w->findChild<QWidget *>(QStringLiteral("Lbl_1_15")), Qt::LeftButton);
            QTRY_COMPARE_WITH_TIMEOUT(w->playback().hint(), QStringLiteral("Stai ascoltando: \"%1\"").arg(name), 30000);

            // The station's tone reaches the sink: not silence, and the station's own
            // frequency (the service plays 200 Hz + 20 Hz per id, modulo 50).
            const QString url = w->catalogue().store().List1[15].Url;
            const int id = url.section(QLatin1Char('='), -1).toInt();
            QVERIFY(id > 0);
            double level = 0;
            QByteArray sound;
            QElapsedTimer waited;
            waited.start();
            while (level < 0.05 && waited.elapsed() < 20000) {
                sound = SoundMonitor::record(1500);
                level = SoundMonitor::rms(sound);
            }
            QVERIFY2(level >= 0.05, qPrintable(QStringLiteral("RMS %1; stream requests: %2")
                                                   .arg(level)
                                                   .arg(StationService::requests(StationService::logLines(logStart), 1,
                                                                                 QStringLiteral("/stream/"))
                                                            .join(QLatin1Char('|')))));
            qDebug("stream requests: %s", qPrintable(StationService::requests(StationService::logLines(logStart), 1,
                                                                               QStringLiteral("/stream/")).join(QLatin1Char('|'))));
            // Measured on a stretch that is sound from its start.
            sound = SoundMonitor::record(1000);
            const double expected = 200 + 20 * (id % 50);
            const double hz = SoundMonitor::frequency(sound);
            QVERIFY2(std::abs(hz - expected) < expected * 0.02,
                     qPrintable(QStringLiteral("%1 Hz, expected %2").arg(hz).arg(expected)));

            // The desktop's media widgets see the station.
            QTRY_COMPARE_WITH_TIMEOUT(mprisMetadata().value(QStringLiteral("xesam:title")).toString(), name, 10000);
        }
        // Closing the windows clears it.
        QTRY_VERIFY_WITH_TIMEOUT(!mprisMetadata().contains(QStringLiteral("xesam:title")), 10000);
    }

    void hangingPageIsReloadedAndAnnouncedNamesTaken()
    {
        EngineRig rig(1);
        Playback &playback = rig.main()->playback();
        const int logStart = StationService::logLineCount();
        playback.PlayStationById(9001); // a player page that keeps the title "caricamento"
        QTRY_VERIFY_WITH_TIMEOUT(playback.reloadArmed(), 15000);
        // After five seconds the page is asked for again, and its title, the same as
        // before, arms the reload once more.
        QTRY_VERIFY_WITH_TIMEOUT(StationService::requests(StationService::logLines(logStart), 1,
                                                          QStringLiteral("/Radio/mostraRadio.asp?Id=9001")).size() >= 2,
                                 15000);
        QTRY_VERIFY_WITH_TIMEOUT(playback.reloadArmed(), 5000);

        playback.setMessengerOption(true);
        playback.PlayStationById(9002); // a page that announces "RADIO:-Radio Annuncio"
        QTRY_COMPARE_WITH_TIMEOUT(playback.AnnouncedName(), QStringLiteral("Radio Annuncio"), 15000);
        QCOMPARE(playback.NowPlayingCode(), 18);
        QVERIFY(!playback.reloadArmed());
        QTRY_VERIFY_WITH_TIMEOUT(!rig.recordedNotices.records.isEmpty(), 5000);
        QCOMPARE(Notice::read(rig.recordedNotices.records.last()).title, QStringLiteral("Radio Annuncio"));
    }
};

SINTONIA_WEBENGINE_TEST_MAIN(TestE2ePlayback)
#include "test_e2e_playback.moc"
