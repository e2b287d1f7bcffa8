// A tray host that appears on the session bus, at first or again after a restart, is
// noticed, so that the icon can be shown to it anew.
#include "platform/trayhost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

class TestTrayHost : public QObject
{
    Q_OBJECT

private slots:
    void aHostThatComesBackIsNoticed()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs the private session bus of scripts/test-session.sh");
        // The host has its own connection, as a tray host process would.
        QDBusConnection host = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("host"));
        TrayHostWatcher watcher;
        QSignalSpy appeared(&watcher, &TrayHostWatcher::hostAppeared);
        const QString name = QLatin1String(TrayHostWatcher::WatcherService);
        // The watcher's subscription reaches the bus a moment after it is made: the host
        // comes and goes until the watcher has seen it once.
        QElapsedTimer waited;
        waited.start();
        bool seen = false;
        while (!seen && waited.elapsed() < 20000) {
            QVERIFY(host.registerService(name));
            seen = appeared.wait(500);
            QVERIFY(host.unregisterService(name));
        }
        QVERIFY(seen);
        // The host starts again: noticed again.
        const int before = int(appeared.size());
        QVERIFY(host.registerService(name));
        QTRY_COMPARE_WITH_TIMEOUT(int(appeared.size()), before + 1, 10000);
        QVERIFY(host.unregisterService(name));
        QDBusConnection::disconnectFromBus(QStringLiteral("host"));
    }
};

QTEST_GUILESS_MAIN(TestTrayHost)
#include "test_trayhost.moc"
