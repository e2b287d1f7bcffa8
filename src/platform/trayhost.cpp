#include "platform/trayhost.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>

TrayHostWatcher::TrayHostWatcher(QObject *parent)
    : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return; // no session bus: no tray host to wait for
    auto *watcher = new QDBusServiceWatcher(QLatin1String(WatcherService), bus,
                                            QDBusServiceWatcher::WatchForRegistration, this);
    connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &TrayHostWatcher::hostAppeared);
}
