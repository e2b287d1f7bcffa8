#pragma once

#include <QDBusUnixFileDescriptor>
#include <QObject>

// Keeps the machine from sleeping while something must not be cut short (a recording):
// logind's sleep inhibitor on the system bus, asked for without waiting. Without logind,
// nothing happens.
class SleepInhibitor final : public QObject
{
    Q_OBJECT

signals:
    // logind has granted the inhibitor.
    void held();

public:
    using QObject::QObject;

    void setHeld(bool on, const QString &why = {});
    bool isHeld() const { return m_lock.isValid(); }

private:
    QDBusUnixFileDescriptor m_lock; // sleep is blocked while it is open
    bool m_wanted = false;
    quint64 m_request = 0;
};
