// The main window as a media player on the session bus, with fake panes: the names reach
// the desktop exactly when the messenger switch allows, the controls work either way, and
// a caller that floods the player gets one station played, not ten thousand.
#include "app/frm_sintonia.h"
#include "mprisprobe.h"
#include "windowrig.h"
#include "platform/mprisnotice.h"
#include "playback/mediacontrol.h"
#include "playback/playback.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTest>

namespace {

constexpr int BusTimeoutMs = 10000;

QString stationPage(int id)
{
    return QStringLiteral("http://127.0.0.1:47801/Radio/mostraRadio.asp?Id=%1").arg(id);
}

QString uniqueService(const char *what)
{
    return QStringLiteral("org.mpris.MediaPlayer2.sintonia.window%1%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(what));
}

// The windows with a full catalogue, offered on the bus under `remote`.
struct BusRig : WindowRig
{
    explicit BusRig(MprisNotice &remote)
    {
        // The notices go to the bus as well, as in the program.
        services.notices = &remote;
        restart();
        catalogueApplied = deliverCatalogue(demoCatalogue(15, 15));
        main()->media().setRemote(&remote);
    }
    FakeWebPane *radio() const { return pane("Wb_Radio"); }
    bool catalogueApplied = false;
};

} // namespace

class TestMediaBus : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs the private session bus of scripts/test-session.sh");
    }

    void namesOnlyWithTheMessengerSwitch_data()
    {
        QTest::addColumn<bool>("messenger");
        QTest::newRow("switch on") << true;
        QTest::newRow("switch off") << false;
    }

    void namesOnlyWithTheMessengerSwitch()
    {
        QFETCH(bool, messenger);
        const QString name = uniqueService(messenger ? "on" : "off");
        MprisNotice remote(name);
        BusRig rig(remote);
        QVERIFY(rig.catalogueApplied);
        rig.main()->playback().setMessengerOption(messenger);
        MprisProbe probe(name);
        const QString credit = QStringLiteral("Sintonia by 127.0.0.1:47811");
        const auto expectNames = [&](const QString &title) {
            const QVariantMap metadata = probe.metadata();
            QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(), messenger ? title : QString());
            QCOMPARE(metadata.value(QStringLiteral("xesam:artist")).toStringList(),
                     messenger ? QStringList{credit} : QStringList());
        };

        QTest::mouseClick(rig.main()->findChild<QWidget *>(QStringLiteral("Lbl_1_15")), Qt::LeftButton);
        rig.radio()->finishLoad(QStringLiteral("Player"));
        QTRY_COMPARE_WITH_TIMEOUT(probe.status(), QStringLiteral("Playing"), BusTimeoutMs);
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanGoNext")), QVariant(true), BusTimeoutMs);
        QCOMPARE(probe.get(QStringLiteral("CanGoPrevious")), QVariant(false));
        QTRY_COMPARE_WITH_TIMEOUT(probe.metadata().contains(QStringLiteral("xesam:title")), messenger, BusTimeoutMs);
        expectNames(QStringLiteral("Name 101"));

        // The widget skips either way.
        rig.radio()->clearNavigations();
        QCOMPARE(probe.call(QStringLiteral("Next")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(rig.radio()->navigations(), QStringList{stationPage(102)}, BusTimeoutMs);
        rig.radio()->finishLoad(QStringLiteral("Player"));
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanGoPrevious")), QVariant(true), BusTimeoutMs);
        if (messenger)
            QTRY_COMPARE_WITH_TIMEOUT(probe.metadata().value(QStringLiteral("xesam:title")).toString(),
                                      QStringLiteral("Name 102"), BusTimeoutMs);
        expectNames(QStringLiteral("Name 102"));

        // Paused on the station: still named when allowed. Stopped: nothing is named.
        QCOMPARE(probe.call(QStringLiteral("Pause")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(probe.status(), QStringLiteral("Paused"), BusTimeoutMs);
        QCOMPARE(rig.radio()->navigations().last(), QStringLiteral("about:blank"));
        rig.radio()->finishLoad(QString());
        expectNames(QStringLiteral("Name 102"));
        QCOMPARE(probe.call(QStringLiteral("Stop")).type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(probe.status(), QStringLiteral("Stopped"), BusTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(!probe.metadata().contains(QStringLiteral("xesam:title")), BusTimeoutMs);
    }

    void floodOfNextPlaysTheLastStationOnce()
    {
        const QString name = uniqueService("flood");
        MprisNotice remote(name);
        BusRig rig(remote);
        QVERIFY(rig.catalogueApplied);
        MprisProbe probe(name);
        QTest::mouseClick(rig.main()->findChild<QWidget *>(QStringLiteral("Lbl_1_15")), Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(probe.status(), QStringLiteral("Playing"), BusTimeoutMs);
        rig.radio()->clearNavigations();

        // Nonsense first, then ten thousand Next as fast as the bus takes them.
        QCOMPARE(probe.setProperty(QLatin1String(MprisProbe::PlayerInterface), QStringLiteral("Shuffle"), true).type(),
                 QDBusMessage::ErrorMessage);
        QCOMPARE(probe.setProperty(QLatin1String(MprisProbe::RootInterface), QStringLiteral("Fullscreen"), true).type(),
                 QDBusMessage::ErrorMessage);
        for (int i = 0; i < 10000; ++i)
            QVERIFY(probe.send(QStringLiteral("Next")));

        // The bottom of the list, asked for once.
        QTRY_COMPARE_WITH_TIMEOUT(rig.radio()->navigations(), QStringList{stationPage(115)}, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanGoNext")), QVariant(false), BusTimeoutMs);
        QVERIFY(!rig.main()->media().settling());
        QCOMPARE(rig.radio()->navigations().size(), 1);
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 1);
        QCOMPARE(probe.status(), QStringLiteral("Playing"));
        QVERIFY(rig.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestMediaBus)
#include "test_media_bus.moc"
