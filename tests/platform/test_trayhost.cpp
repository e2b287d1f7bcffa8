// A tray host that appears on the session bus, at first or again after a restart, is
// noticed, so that the icon can be shown to it anew.
#include "platform/trayhost.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
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
        for (int round = 1; round <= 2; ++round) {
            QVERIFY(host.registerService(QLatin1String(TrayHostWatcher::WatcherService)));
            QTRY_COMPARE_WITH_TIMEOUT(appeared.size(), round, 5000);
            QVERIFY(host.unregisterService(QLatin1String(TrayHostWatcher::WatcherService)));
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("host"));
    }
};

QTEST_GUILESS_MAIN(TestTrayHost)
#include "test_trayhost.moc"
