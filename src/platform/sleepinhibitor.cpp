#include "platform/sleepinhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

void SleepInhibitor::setHeld(bool on, const QString &why)
{
    if (on == m_wanted)
        return;
    m_wanted = on;
    ++m_request;
    if (!on) {
        m_lock = QDBusUnixFileDescriptor(); // closing it lets the machine sleep again
        return;
    }
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
                                                       QStringLiteral("/org/freedesktop/login1"),
                                                       QStringLiteral("org.freedesktop.login1.Manager"),
                                                       QStringLiteral("Inhibit"));
    call << QStringLiteral("sleep") << QStringLiteral("Sintonia") << why << QStringLiteral("block");
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 10000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, request = m_request](QDBusPendingCallWatcher *done) {
        const QDBusPendingReply<QDBusUnixFileDescriptor> reply = *done;
        done->deleteLater();
        // A reply to a request given up in the meantime is dropped, and its lock with it.
        if (request != m_request || !m_wanted || !reply.isValid())
            return;
        m_lock = reply.value();
        emit held();
    });
}
