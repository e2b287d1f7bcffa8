#pragma once

#include "platform/mediaplayer.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

#include <memory>

class MediaRequests;
class QTimer;

// The media-player object on the session bus. It lives in a thread of its own: it answers
// the bus from what the window told it last, and hands the desktop's requests on through
// the queue without ever waiting for the window.
class MprisService final : public QObject
{
    Q_OBJECT

signals:
    // Requests wait in the queue: the window's thread should take them.
    void requestsWaiting();

public:
    MprisService(QString serviceName, std::shared_ptr<MediaRequests> requests);
    void start();
    void stop();

    // From the window: the now-playing notice, and the player's state (a player that is
    // not attached takes no commands).
    void apply(const QByteArray &record);
    void setPlayer(bool attached, const Media::State &state);

    // From the desktop.
    void request(Media::Command command);
    void requestStep(int steps);

    bool attached() const { return m_attached; }
    const Media::State &state() const { return m_state; }
    QString playbackStatus() const;
    QVariantMap metadata() const;
    // Every property of each interface that tells a change with PropertiesChanged.
    QVariantMap rootProperties() const;
    QVariantMap playerProperties() const;

private:
    void changed();
    void sendChanges();
    void sendChange(const QString &interface, const QVariantMap &now, QVariantMap &sent);

    QString m_serviceName;
    QString m_connectionName;
    std::shared_ptr<MediaRequests> m_requests;
    QDBusConnection m_bus;
    QTimer *m_changes = nullptr; // gathers a burst of changes into one signal
    QVariantMap m_noticeMetadata;
    bool m_noticePlaying = false;
    Media::State m_state;
    bool m_attached = false;
    bool m_registered = false;
    QVariantMap m_sentRoot;
    QVariantMap m_sentPlayer;
};
