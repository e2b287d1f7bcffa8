// The sleep inhibitor: asked of logind while wanted, and given back by closing its lock,
// with a fake logind on a private bus that stands in for the system bus.
#include "platform/sleepinhibitor.h"

#include <QDBusConnection>
#include <QDBusUnixFileDescriptor>
#include <QSignalSpy>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

namespace {

// logind's manager: each Inhibit hands out the write end of a pipe; the test watches the
// read end to see when every copy of the lock is closed.
class FakeLogind : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.login1.Manager")

public:
    QStringList calls;
    int readEnd = -1;

    ~FakeLogind() override
    {
        if (readEnd >= 0)
            ::close(readEnd);
    }

    // True once nobody holds the lock any more.
    bool released() const
    {
        char byte;
        return ::read(readEnd, &byte, 1) == 0;
    }

public slots:
    QDBusUnixFileDescriptor Inhibit(const QString &what, const QString &who, const QString &why, const QString &mode)
    {
        calls << QStringList{what, who, why, mode}.join(QLatin1Char('|'));
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return {};
        if (readEnd >= 0)
            ::close(readEnd);
        readEnd = ends[0];
        ::fcntl(readEnd, F_SETFL, O_NONBLOCK);
        QDBusUnixFileDescriptor lock(ends[1]); // keeps a copy of its own
        ::close(ends[1]);
        return lock;
    }
};

} // namespace

class TestSleepInhibitor : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QByteArray session = qgetenv("DBUS_SESSION_BUS_ADDRESS");
        if (session.isEmpty())
            QSKIP("needs the private session bus of scripts/test-session.sh");
        // The system bus of this process is the private session bus, where the fake lives.
        qputenv("DBUS_SYSTEM_BUS_ADDRESS", session);
    }

    void heldWhileWantedAndReleasedByClosingTheLock()
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("logind"));
        FakeLogind logind;
        QVERIFY(bus.registerObject(QStringLiteral("/org/freedesktop/login1"), &logind, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(QStringLiteral("org.freedesktop.login1")));

        SleepInhibitor inhibitor;
        QSignalSpy held(&inhibitor, &SleepInhibitor::held);
        inhibitor.setHeld(true, QStringLiteral("Registrazione in corso"));
        inhibitor.setHeld(true, QStringLiteral("again")); // already asked: nothing more
        QTRY_COMPARE_WITH_TIMEOUT(held.size(), 1, 5000);
        QCOMPARE(logind.calls, QStringList{"sleep|Sintonia|Registrazione in corso|block"});
        QVERIFY(inhibitor.isHeld());
        QVERIFY(!logind.released());

        inhibitor.setHeld(false);
        QVERIFY(!inhibitor.isHeld());
        QVERIFY(logind.released());

        // Given up before logind answered: the lock that comes is closed at once.
        inhibitor.setHeld(true);
        inhibitor.setHeld(false);
        QTRY_COMPARE_WITH_TIMEOUT(logind.calls.size(), 2, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(logind.released(), 5000);
        QVERIFY(!inhibitor.isHeld());

        bus.unregisterService(QStringLiteral("org.freedesktop.login1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("logind"));
    }

    void withoutLogindNothingIsHeld()
    {
        SleepInhibitor inhibitor;
        QSignalSpy held(&inhibitor, &SleepInhibitor::held);
        inhibitor.setHeld(true);
        QTest::qWait(200); // the call fails on its own time; nothing waits for it
        QCOMPARE(held.size(), 0);
        QVERIFY(!inhibitor.isHeld());
    }
};

QTEST_GUILESS_MAIN(TestSleepInhibitor)
#include "test_sleepinhibitor.moc"
