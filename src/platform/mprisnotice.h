#pragma once

#include "platform/mediaplayer.h"
#include "platform/noticesink.h"

#include <QObject>
#include <QThread>

#include <memory>

class MediaRequests;
class MprisService;

// The program as a media player on the session bus (org.mpris.MediaPlayer2.sintonia): the
// now-playing notice becomes its metadata (state "1" is the title and the credit line as
// artist, state "0" no names), and the player attached to it takes the desktop's play,
// pause, stop, next, previous, raise and quit. The bus is served from a thread of its own,
// so a slow, missing or hostile bus never holds the windows; without a bus nothing is
// published and no command comes.
class MprisNotice final : public NoticeSink, public MediaRemote
{
public:
    static constexpr char ServiceName[] = "org.mpris.MediaPlayer2.sintonia";

    // `serviceName` other than the default lets tests run side by side on one bus.
    explicit MprisNotice(const QString &serviceName = QLatin1String(ServiceName));
    ~MprisNotice() override;
    void deliver(const QByteArray &record) override;
    void attach(MediaCommands *player) override;
    void publish(const Media::State &state) override;

private:
    void takeRequests();

    std::shared_ptr<MediaRequests> m_requests;
    QThread *m_thread;
    MprisService *m_service;
    QObject m_window; // the requests are taken on the thread that made this object
    MediaCommands *m_player = nullptr;
    Media::State m_state;
};
