// The media player on the session bus: what it says about itself and the player, how the
// desktop's requests reach the player, and a caller that floods it or asks for nonsense.
#include "mprisprobe.h"
#include "platform/mediarequests.h" // the requests as the player gets them
#include "platform/mprisnotice.h"
#include "platform/notice.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QTest>

namespace {

using Request = MediaRequests::Request;

Request command(Media::Command c)
{
    return {false, c, 0};
}

Request steps(int n)
{
    return {true, Media::Command::Play, n};
}

// Keeps what the desktop asked for, in order.
class RecordingPlayer final : public MediaCommands
{
public:
    void command(Media::Command c) override { asked.append(::command(c)); }
    void step(int n) override { asked.append(steps(n)); }
    int stepTotal() const
    {
        int total = 0;
        for (const Request &request : asked)
            total += request.isStep ? request.steps : 0;
        return total;
    }
    QList<Request> asked;
};

QString uniqueService(const char *what)
{
    // Tests of other runs may share the bus: each has a name of its own.
    return QStringLiteral("org.mpris.MediaPlayer2.sintonia.test%1%2").arg(QCoreApplication::applicationPid()).arg(QLatin1String(what));
}

QByteArray nowPlaying(const char *title)
{
    return Notice::record(true, QLatin1String(title), QStringLiteral("Sintonia by 127.0.0.1:47811"));
}

} // namespace

class TestMpris : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs the private session bus of scripts/test-session.sh");
    }

    void describesItself()
    {
        const QString name = uniqueService("about");
        MprisNotice player(name);
        MprisProbe probe(name);
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("Identity"), QLatin1String(MprisProbe::RootInterface)).toString(),
                                  QStringLiteral("Sintonia"), 10000);
        QCOMPARE(probe.get(QStringLiteral("DesktopEntry"), QLatin1String(MprisProbe::RootInterface)).toString(),
                 QStringLiteral("org.sintonia.Sintonia"));
        // Nobody to raise, quit or control yet.
        for (const char *property : {"CanRaise", "CanQuit"})
            QCOMPARE(probe.get(QLatin1String(property), QLatin1String(MprisProbe::RootInterface)), QVariant(false));
        QCOMPARE(probe.get(QStringLiteral("CanControl")), QVariant(false));
        QCOMPARE(probe.status(), QStringLiteral("Stopped"));

        RecordingPlayer window;
        player.attach(&window);
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanRaise"), QLatin1String(MprisProbe::RootInterface)),
                                  QVariant(true), 5000);
        QCOMPARE(probe.get(QStringLiteral("CanQuit"), QLatin1String(MprisProbe::RootInterface)), QVariant(true));
        QCOMPARE(probe.get(QStringLiteral("CanControl")), QVariant(true));
        QCOMPARE(probe.get(QStringLiteral("CanSeek")), QVariant(false));
    }

    void requestsReachThePlayerInOrder()
    {
        const QString name = uniqueService("order");
        MprisNotice player(name);
        RecordingPlayer window;
        player.attach(&window);
        MprisProbe probe(name);
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanControl")), QVariant(true), 10000);
        using C = Media::Command;
        const QList<std::pair<const char *, Request>> methods{
            {"Play", command(C::Play)}, {"Pause", command(C::Pause)}, {"PlayPause", command(C::PlayPause)},
            {"Stop", command(C::Stop)}, {"Next", steps(1)},           {"Previous", steps(-1)},
            {"Raise", command(C::Raise)}, {"Quit", command(C::Quit)}};
        for (const auto &[method, request] : methods) {
            const bool root = QByteArray(method) == "Raise" || QByteArray(method) == "Quit";
            QCOMPARE(probe.call(QLatin1String(method), {},
                                QLatin1String(root ? MprisProbe::RootInterface : MprisProbe::PlayerInterface))
                         .type(),
                     QDBusMessage::ReplyMessage);
            QTRY_VERIFY_WITH_TIMEOUT(!window.asked.isEmpty(), 5000);
            QCOMPARE(window.asked.takeFirst(), request);
        }

        // Detached: the requests go nowhere, and the controls say so.
        player.attach(nullptr);
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanControl")), QVariant(false), 5000);
        probe.call(QStringLiteral("Play"));
        QCoreApplication::processEvents();
        QVERIFY(window.asked.isEmpty());
    }

    void stateIsToldAndAnswered()
    {
        const QString name = uniqueService("state");
        MprisNotice player(name);
        RecordingPlayer window;
        player.attach(&window);
        MprisProbe probe(name);
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanControl")), QVariant(true), 10000);
        QVERIFY(probe.waitUntilListening());

        Media::State state;
        state.status = Media::Status::Paused;
        state.canPlay = true;
        state.canGoNext = true;
        player.publish(state);
        QTRY_COMPARE_WITH_TIMEOUT(probe.lastChange(QStringLiteral("PlaybackStatus")).toString(),
                                  QStringLiteral("Paused"), 5000);
        QCOMPARE(probe.lastChange(QStringLiteral("CanGoNext")), QVariant(true));
        QCOMPARE(probe.lastChange(QStringLiteral("CanPlay")), QVariant(true));
        QCOMPARE(probe.get(QStringLiteral("CanGoPrevious")), QVariant(false));
        QCOMPARE(probe.get(QStringLiteral("CanPause")), QVariant(false));
        QCOMPARE(probe.status(), QStringLiteral("Paused"));

        // Only what changed is told.
        const qsizetype heard = probe.changes().size();
        state.canGoPrevious = true;
        player.publish(state);
        QTRY_COMPARE_WITH_TIMEOUT(probe.changes().size(), heard + 1, 5000);
        QCOMPARE(probe.changes().last(), (QVariantMap{{QStringLiteral("CanGoPrevious"), true}}));
    }

    // The names come from the notice only; the player's state says whether a track is there.
    void metadataRule_data()
    {
        QTest::addColumn<QByteArray>("notice");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("title"); // null: no title
        QTest::addColumn<bool>("track");
        const QByteArray cleared = Notice::record(false, QString(), QStringLiteral("Sintonia by x"));
        QTest::newRow("named, playing") << nowPlaying("Radio Uno") << int(Media::Status::Playing) << "Radio Uno" << true;
        QTest::newRow("named, paused") << nowPlaying("Radio Uno") << int(Media::Status::Paused) << "Radio Uno" << true;
        QTest::newRow("cleared, playing") << cleared << int(Media::Status::Playing) << QString() << true;
        QTest::newRow("never named, playing") << QByteArray() << int(Media::Status::Playing) << QString() << true;
        QTest::newRow("cleared, stopped") << cleared << int(Media::Status::Stopped) << QString() << false;
        QTest::newRow("unreadable record") << QByteArray(256, 'x') << int(Media::Status::Stopped) << QString() << false;
    }

    void metadataRule()
    {
        QFETCH(QByteArray, notice);
        QFETCH(int, status);
        QFETCH(QString, title);
        QFETCH(bool, track);
        const QString name = uniqueService("meta");
        MprisNotice player(name);
        RecordingPlayer window;
        player.attach(&window);
        player.deliver(nowPlaying("Before"));
        if (!notice.isEmpty())
            player.deliver(notice);
        Media::State state;
        state.status = Media::Status(status);
        player.publish(state);
        MprisProbe probe(name);
        QTRY_COMPARE_WITH_TIMEOUT(probe.status(), Media::statusName(state.status), 10000);
        const QVariantMap metadata = probe.metadata();
        if (notice.isEmpty()) {
            QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(), QStringLiteral("Before"));
            return;
        }
        QCOMPARE(metadata.value(QStringLiteral("xesam:title")).toString(), title);
        QCOMPARE(metadata.contains(QStringLiteral("xesam:artist")), !title.isNull());
        if (!title.isNull())
            QCOMPARE(metadata.value(QStringLiteral("xesam:artist")).toStringList(),
                     QStringList{QStringLiteral("Sintonia by 127.0.0.1:47811")});
        QCOMPARE(metadata.contains(QStringLiteral("mpris:trackid")), track);
    }

    void hostileCaller()
    {
        const QString name = uniqueService("hostile");
        MprisNotice player(name);
        RecordingPlayer window;
        player.attach(&window);
        MprisProbe probe(name);
        QTRY_COMPARE_WITH_TIMEOUT(probe.get(QStringLiteral("CanControl")), QVariant(true), 10000);

        // Properties that do not exist, that cannot be written, of the wrong type; methods
        // that do not exist or get the wrong arguments: errors, nothing else.
        QCOMPARE(probe.setProperty(QLatin1String(MprisProbe::PlayerInterface), QStringLiteral("Nonsense"), 1).type(),
                 QDBusMessage::ErrorMessage);
        QCOMPARE(probe.setProperty(QLatin1String(MprisProbe::PlayerInterface), QStringLiteral("PlaybackStatus"),
                                   QStringLiteral("Playing")).type(),
                 QDBusMessage::ErrorMessage);
        QCOMPARE(probe.setProperty(QStringLiteral("org.example.None"), QStringLiteral("Volume"), 0.5).type(),
                 QDBusMessage::ErrorMessage);
        probe.setProperty(QLatin1String(MprisProbe::PlayerInterface), QStringLiteral("Volume"), QStringLiteral("loud"));
        QCOMPARE(probe.call(QStringLiteral("Explode")).type(), QDBusMessage::ErrorMessage);
        QCOMPARE(probe.call(QStringLiteral("Seek"), {QStringLiteral("far")}).type(), QDBusMessage::ErrorMessage);
        QCOMPARE(probe.get(QStringLiteral("Nonsense")), QVariant());

        // Ten thousand Next, then a Pause, as fast as the bus takes them.
        constexpr int Flood = 10000;
        for (int i = 0; i < Flood; ++i)
            QVERIFY(probe.send(QStringLiteral("Next")));
        QVERIFY(probe.send(QStringLiteral("Pause")));
        QTRY_VERIFY_WITH_TIMEOUT(!window.asked.isEmpty() && !window.asked.last().isStep, 30000);
        QCOMPARE(window.asked.last(), command(Media::Command::Pause));
        // The window is asked a few times for many steps, never ten thousand times.
        const qsizetype stepCalls = window.asked.size() - 1;
        QVERIFY2(stepCalls < Flood / 10, qPrintable(QString::number(stepCalls)));
        QVERIFY(window.stepTotal() > 0 && window.stepTotal() <= Flood);
        for (const Request &request : window.asked)
            QVERIFY(!request.isStep || request.steps > 0);
        // And the player still answers.
        QCOMPARE(probe.get(QStringLiteral("Identity"), QLatin1String(MprisProbe::RootInterface)).toString(),
                 QStringLiteral("Sintonia"));
    }
};

QTEST_GUILESS_MAIN(TestMpris)
#include "test_mpris.moc"
