#pragma once

#include <QObject>
#include <QString>

// Desktop notifications (org.freedesktop.Notifications on the session bus).
class DesktopNotifier
{
public:
    virtual ~DesktopNotifier() = default;
    // Shows `body` under `summary`, in place of the previous notification of this program.
    virtual void notify(const QString &summary, const QString &body) = 0;
};

// Over the session bus, without waiting: no bus or no notification service means no
// notification, silently.
class DBusNotifier final : public QObject, public DesktopNotifier
{
    Q_OBJECT

signals:
    // The service showed the notification under this id.
    void shown(uint id);

public:
    static constexpr char Service[] = "org.freedesktop.Notifications";

    using QObject::QObject;
    void notify(const QString &summary, const QString &body) override;

private:
    uint m_lastId = 0;
};
