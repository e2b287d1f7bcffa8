#include "icecaststream.h"

#include <QTemporaryDir>
#include <QFile>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <sndfile.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <numbers>
#include <string>

namespace {

constexpr int Rate = 22050;

bool sendAll(int socket, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= size_t(sent);
    }
    return true;
}

// The encoder's first frame is a "Xing"/"Info" header with the length of the file, which
// a stream has not: a player that reads it takes the endless stream for a short file.
QByteArray withoutInfoFrame(const QByteArray &mp3)
{
    static constexpr int Mpeg2Kbps[] = {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0};
    static constexpr int Mpeg2Rates[] = {22050, 24000, 16000, 0};
    if (mp3.size() < 64 || uchar(mp3[0]) != 0xFF || (uchar(mp3[1]) & 0xFE) != 0xF2)
        return mp3; // not MPEG-2 layer III: kept as it is
    const QByteArray head = mp3.left(48);
    if (!head.contains("Xing") && !head.contains("Info"))
        return mp3;
    const int kbps = Mpeg2Kbps[uchar(mp3[2]) >> 4];
    const int rate = Mpeg2Rates[(uchar(mp3[2]) >> 2) & 3];
    if (kbps == 0 || rate == 0)
        return mp3;
    const int length = 72000 * kbps / rate + ((uchar(mp3[2]) >> 1) & 1);
    if (length + 2 > mp3.size() || uchar(mp3[length]) != 0xFF)
        return mp3;
    return mp3.mid(length);
}

QByteArray encode(double hz, int seconds, int format)
{
    QTemporaryDir dir;
    const QByteArray path = dir.filePath(QStringLiteral("tone")).toLocal8Bit();
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 1;
    info.format = format;
    SNDFILE *file = sf_open(path.constData(), SFM_WRITE, &info);
    if (!file)
        return {};
    // A radio's encoder: constant bit rate, and not the lowest.
    int mode = SF_BITRATE_MODE_CONSTANT;
    sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    double compression = 0.5;
    sf_command(file, SFC_SET_COMPRESSION_LEVEL, &compression, sizeof compression);
    std::vector<float> samples(size_t(Rate) * size_t(seconds));
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = float(0.5 * std::sin(2 * std::numbers::pi * hz * double(i) / Rate));
    sf_write_float(file, samples.data(), sf_count_t(samples.size()));
    sf_close(file);
    QFile encoded(QString::fromLocal8Bit(path));
    return encoded.open(QIODevice::ReadOnly) ? encoded.readAll() : QByteArray();
}

} // namespace

QByteArray IcecastStream::encodeTone(double hz, int seconds)
{
    return withoutInfoFrame(encode(hz, seconds, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III));
}

QByteArray IcecastStream::encodeVorbisTone(double hz, int seconds)
{
    return encode(hz, seconds, SF_FORMAT_OGG | SF_FORMAT_VORBIS);
}

IcecastStream::IcecastStream(QByteArray sound, int seconds, QByteArray contentType)
    : m_mp3(std::move(sound))
    , m_seconds(std::max(seconds, 1))
    , m_contentType(std::move(contentType))
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr *>(&address), length) != 0
        || ::listen(m_listener, 16) != 0
        || ::getsockname(m_listener, reinterpret_cast<sockaddr *>(&address), &length) != 0)
        return;
    m_port = ntohs(address.sin_port);
    m_acceptor = std::thread([this] { acceptLoop(); });
}

IcecastStream::~IcecastStream()
{
    m_stop = true;
    if (m_acceptor.joinable())
        m_acceptor.join();
    for (std::thread &connection : m_connections)
        connection.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

void IcecastStream::acceptLoop()
{
    while (!m_stop) {
        pollfd waiting{m_listener, POLLIN, 0};
        if (::poll(&waiting, 1, 100) <= 0)
            continue;
        const int socket = ::accept(m_listener, nullptr, nullptr);
        if (socket < 0)
            continue;
        timeval limit{0, 200000};
        ::setsockopt(socket, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        m_connections.emplace_back([this, socket] {
            serve(socket);
            ::close(socket);
        });
    }
}

void IcecastStream::serve(int socket)
{
    std::string request;
    char buffer[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 8192 && !m_stop) {
        pollfd waiting{socket, POLLIN, 0};
        if (::poll(&waiting, 1, 100) <= 0)
            continue;
        const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
        if (got <= 0)
            return;
        request.append(buffer, size_t(got));
    }
    const auto target = request.substr(0, request.find('\r'));
    if (target.starts_with("GET /listen.pls ")) {
        const std::string playlist = "[playlist]\r\nNumberOfEntries=1\r\nFile1=http://127.0.0.1:"
            + std::to_string(m_port) + "/live\r\nTitle1=Test live\r\nLength1=-1\r\nVersion=2\r\n";
        const std::string reply = "HTTP/1.0 200 OK\r\nContent-Type: audio/x-scpls\r\nContent-Length: "
            + std::to_string(playlist.size()) + "\r\nConnection: close\r\n\r\n" + playlist;
        sendAll(socket, reply.data(), reply.size());
        return;
    }
    if (!target.starts_with("GET /live ") || m_mp3.isEmpty()) {
        const std::string reply = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
        sendAll(socket, reply.data(), reply.size());
        return;
    }
    ++m_live;
    const std::string head = "HTTP/1.0 200 OK\r\nContent-Type: " + m_contentType.toStdString()
        + "\r\nicy-name: Sintonia test live\r\nCache-Control: no-cache, no-store\r\nConnection: close\r\n\r\n";
    if (!sendAll(socket, head.data(), head.size()))
        return;
    // Endless: the file again and again. Like Icecast, a burst first (eight seconds, and
    // at least 128 KiB), so that the player can start at once, then at the pace of the sound.
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const double bytesPerSecond = double(m_mp3.size()) / m_seconds;
    double sent = 0;
    qsizetype offset = 0;
    while (!m_stop) {
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (sent > std::max(elapsed * bytesPerSecond + 8.0 * bytesPerSecond, elapsed * bytesPerSecond + 131072.0)) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        const qsizetype chunk = std::min<qsizetype>(4096, m_mp3.size() - offset);
        const ssize_t written = ::send(socket, m_mp3.constData() + offset, size_t(chunk), MSG_NOSIGNAL);
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            continue;
        if (written <= 0)
            return;
        sent += double(written);
        m_sent += written;
        offset = (offset + written) % m_mp3.size();
    }
}
