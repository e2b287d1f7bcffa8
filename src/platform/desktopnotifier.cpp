#include "platform/desktopnotifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

void DBusNotifier::notify(const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(Service),
                                                       QStringLiteral("/org/freedesktop/Notifications"),
                                                       QLatin1String(Service), QStringLiteral("Notify"));
    // Body text is markup for some servers: it goes as plain text.
    call << QStringLiteral("Sintonia") << m_lastId << QStringLiteral("sintonia") << summary << body.toHtmlEscaped()
         << QStringList() << QVariantMap() << -1;
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *done) {
        const QDBusPendingReply<uint> reply = *done;
        if (reply.isValid()) {
            m_lastId = reply.value();
            emit shown(m_lastId);
        }
        done->deleteLater();
    });
}
