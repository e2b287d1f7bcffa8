// Desktop notifications go to the notification service of the session bus, as plain text,
// replacing the program's previous one; without a service nothing happens.
#include "platform/desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QSignalSpy>
#include <QTest>

namespace {

// A notification service that keeps what it is asked to show.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Call
    {
        QString app;
        uint replaces;
        QString summary;
        QString body;
    };
    QList<Call> calls;

public slots:
    uint Notify(const QString &app, uint replaces, const QString &, const QString &summary, const QString &body,
                const QStringList &, const QVariantMap &, int)
    {
        calls.append({app, replaces, summary, body});
        return 40 + uint(calls.size());
    }
};

} // namespace

class TestNotifier : public QObject
{
    Q_OBJECT

private slots:
    void notificationsReachTheService()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("needs the private session bus of scripts/test-session.sh");
        QDBusConnection service = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("notes"));
        FakeNotifications fake;
        QVERIFY(service.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &fake,
                                       QDBusConnection::ExportAllSlots));
        QVERIFY(service.registerService(QLatin1String(DBusNotifier::Service)));

        DBusNotifier notifier;
        QSignalSpy shown(&notifier, &DBusNotifier::shown);
        notifier.notify(QStringLiteral("Sintonia"), QStringLiteral("Stai ascoltando: \"R&B <Live>\""));
        QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 1, 5000);
        QCOMPARE(fake.calls.size(), 1);
        QCOMPARE(fake.calls[0].app, QStringLiteral("Sintonia"));
        QCOMPARE(fake.calls[0].replaces, 0u);
        QCOMPARE(fake.calls[0].body, QStringLiteral("Stai ascoltando: &quot;R&amp;B &lt;Live&gt;&quot;"));
        // The next one takes the place of the first.
        notifier.notify(QStringLiteral("Sintonia"), QStringLiteral("x"));
        QTRY_COMPARE_WITH_TIMEOUT(shown.size(), 2, 5000);
        QCOMPARE(fake.calls[1].replaces, 41u);
        service.unregisterService(QLatin1String(DBusNotifier::Service));
        QDBusConnection::disconnectFromBus(QStringLiteral("notes"));
    }

    void withoutAServiceNothingHappens()
    {
        DBusNotifier notifier;
        notifier.notify(QStringLiteral("Sintonia"), QStringLiteral("nessuno ascolta"));
        QTest::qWait(100); // the call fails on its own time; nothing waits for it
    }
};

QTEST_GUILESS_MAIN(TestNotifier)
#include "test_notifier.moc"
