#pragma once

// An Icecast-like radio for the end-to-end tests, on 127.0.0.1 in a thread of its own
// (so that a test that blocks its event loop does not starve the listener): "/live" is
// an endless stream of one sine tone (MP3, or what the test gives), sent at about its own pace after a burst; "/listen.pls" is a playlist naming "/live".
#include <QByteArray>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class IcecastStream
{
public:
    // An MP3 of `seconds` of a sine tone at half of full scale, 22050 Hz mono; empty when
    // the encoder is missing.
    static QByteArray encodeTone(double hz, int seconds);
    // The same tone in Ogg Vorbis.
    static QByteArray encodeVorbisTone(double hz, int seconds);

    // `sound` holds `seconds` of sound of the content type.
    IcecastStream(QByteArray sound, int seconds, QByteArray contentType = "audio/mpeg");
    ~IcecastStream();
    IcecastStream(const IcecastStream &) = delete;
    IcecastStream &operator=(const IcecastStream &) = delete;

    // 0 when it could not listen.
    int port() const { return m_port; }
    int liveRequests() const { return m_live.load(); }
    long long bytesSent() const { return m_sent.load(); }

private:
    void acceptLoop();
    void serve(int socket);

    QByteArray m_mp3;
    int m_seconds = 1;
    QByteArray m_contentType;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_live{0};
    std::atomic<long long> m_sent{0};
    std::thread m_acceptor;
    std::vector<std::thread> m_connections;
};
