#pragma once

#include "platform/noticesink.h"

#include <QThread>

class MprisService;

// Publishes the now-playing notice as a media player on the session bus
// (org.mpris.MediaPlayer2.sintonia), so that the desktop's media widgets show the station:
// state "1" is Playing with the title and the credit line as artist, state "0" Stopped.
// The bus is served from a thread of its own, so a slow or missing bus never holds the
// windows; without a bus nothing is published.
class MprisNotice final : public NoticeSink
{
public:
    static constexpr char ServiceName[] = "org.mpris.MediaPlayer2.sintonia";

    MprisNotice();
    ~MprisNotice() override;
    void deliver(const QByteArray &record) override;

private:
    QThread *m_thread;
    MprisService *m_service;
};
