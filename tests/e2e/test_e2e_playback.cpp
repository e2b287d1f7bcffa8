// The real windows against the local station service, with sound: a click on a row of
// the most-clicked list plays the station's page, its audio reaches the sound card, and
// the desktop's media-player interface names the station.
#include "app/frm_sintonia.h"
#include "app/windows.h"
#include "platform/clock.h"
#include "platform/fakes/fakeplatform.h"
#include "platform/mprisnotice.h"
#include "platform/textfile.h"
#include "platform/webenginepanefactory.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "soundmonitor.h"
#include "stationservice.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

static const bool sharedContexts = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

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
        QTemporaryDir settings;
        QTemporaryDir temp;
        QCOMPARE(TextFile::writeLines(settings.filePath(QStringLiteral("ServerSN.txt")),
                                      StationService::serverFileLines()), QString());
        WebEnginePaneFactory panes(15000);
        ScriptedDialogs dialogs;
        RecordingShell shell;
        ScriptedRandom random;
        random.draws = {0};
        SteadyClock clock;
        MprisNotice notices;
        const PlatformServices services{&panes, &dialogs, &shell, &random, &clock, &notices,
                                        settings.path() + QLatin1Char('/'), temp.path() + QLatin1Char('/')};
        auto windows = std::make_unique<SintoniaWindows>(services);
        TFrm_Sintonia *w = windows->main();
        w->show();
        w->playback().setMessengerOption(true);

        auto *loading = w->findChild<QWidget *>(QStringLiteral("Pnl_Caricamento1"));
        QTRY_VERIFY_WITH_TIMEOUT(loading->isHidden(), 30000);
        const QString name = w->catalogue().store().List1[15].Name;
        QVERIFY(!name.isEmpty());

        QTest::mouseClick(w->findChild<QWidget *>(QStringLiteral("Lbl_1_15")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(w->playback().hint(), QStringLiteral("Stai ascoltando: \"%1\"").arg(name), 30000);

        // The station's audio reaches the sink: not silence.
        double level = 0;
        QByteArray sound;
        QElapsedTimer waited;
        waited.start();
        while (level < 0.05 && waited.elapsed() < 20000) {
            sound = SoundMonitor::record(1500);
            level = SoundMonitor::rms(sound);
        }
        QVERIFY2(level >= 0.05, qPrintable(QStringLiteral("RMS %1").arg(level)));
        const double hz = SoundMonitor::frequency(sound);
        QVERIFY2(hz > 100 && hz < 2000, qPrintable(QStringLiteral("%1 Hz").arg(hz)));

        // The desktop's media widgets see the station.
        QTRY_COMPARE_WITH_TIMEOUT(mprisMetadata().value(QStringLiteral("xesam:title")).toString(), name, 10000);

        windows.reset();
        QTRY_VERIFY_WITH_TIMEOUT(!mprisMetadata().contains(QStringLiteral("xesam:title")), 10000);
        QTest::qWait(300);
    }
};

QTEST_MAIN(TestE2ePlayback)
#include "test_e2e_playback.moc"
