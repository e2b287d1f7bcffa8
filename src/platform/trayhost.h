#pragma once

#include <QObject>

class QDBusServiceWatcher;

// The desktop's tray host (the StatusNotifierItem watcher on the session bus): tells when
// one starts, at first or again after a restart, so that the icon can be shown anew.
class TrayHostWatcher final : public QObject
{
    Q_OBJECT

signals:
    void hostAppeared();

public:
    static constexpr char WatcherService[] = "org.kde.StatusNotifierWatcher";

    explicit TrayHostWatcher(QObject *parent = nullptr);
};
