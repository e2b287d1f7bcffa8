#include "platform/mprisservice.h"

#include "platform/mediarequests.h"
#include "platform/mprisadaptors.h"
#include "platform/notice.h"

#include <QAtomicInteger>
#include <QDBusMessage>
#include <QTimer>

namespace {
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString RootInterface = QStringLiteral("org.mpris.MediaPlayer2");
const QString PlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString TrackId = QStringLiteral("/org/mpris/MediaPlayer2/Track/1");

QString nextConnectionName()
{
    // Each service has a connection of its own, so that one ending leaves others alone.
    static QAtomicInteger<int> counter;
    return QStringLiteral("sintonia-media-player-%1").arg(counter.fetchAndAddRelaxed(1));
}
} // namespace

MprisService::MprisService(QString serviceName, std::shared_ptr<MediaRequests> requests)
    : m_serviceName(std::move(serviceName))
    , m_connectionName(nextConnectionName())
    , m_requests(std::move(requests))
    , m_bus(QStringLiteral("unconnected"))
{
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
}

void MprisService::start()
{
    m_changes = new QTimer(this);
    m_changes->setSingleShot(true);
    m_changes->setInterval(0);
    connect(m_changes, &QTimer::timeout, this, &MprisService::sendChanges);
    m_sentRoot = rootProperties();
    m_sentPlayer = playerProperties();

    m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, m_connectionName);
    if (!m_bus.isConnected())
        return; // no session bus: nobody to tell
    m_registered = m_bus.registerObject(ObjectPath, this, QDBusConnection::ExportAdaptors)
        && m_bus.registerService(m_serviceName);
}

void MprisService::stop()
{
    if (m_changes && m_changes->isActive()) {
        m_changes->stop();
        sendChanges(); // the last word (a cleared notice) still goes out
    }
    if (m_registered) {
        m_bus.unregisterService(m_serviceName);
        m_bus.unregisterObject(ObjectPath);
        m_registered = false;
    }
    QDBusConnection::disconnectFromBus(m_connectionName);
}

void MprisService::apply(const QByteArray &record)
{
    const Notice::Reading reading = Notice::read(record);
    m_noticePlaying = reading.valid && reading.playing;
    if (m_noticePlaying) {
        m_noticeMetadata = {
            {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(TrackId))},
            {QStringLiteral("xesam:title"), reading.title},
            {QStringLiteral("xesam:artist"), QStringList{reading.artist}},
        };
    } else {
        m_noticeMetadata.clear();
    }
    changed();
}

void MprisService::setPlayer(bool attached, const Media::State &state)
{
    m_attached = attached;
    m_state = attached ? state : Media::State();
    changed();
}

void MprisService::request(Media::Command command)
{
    if (m_attached && m_requests->push(command))
        emit requestsWaiting();
}

void MprisService::requestStep(int steps)
{
    if (m_attached && m_requests->pushStep(steps))
        emit requestsWaiting();
}

QString MprisService::playbackStatus() const
{
    // Without a player only the notice speaks: a station is named or nothing plays.
    if (!m_attached)
        return m_noticePlaying ? QStringLiteral("Playing") : QStringLiteral("Stopped");
    return Media::statusName(m_state.status);
}

QVariantMap MprisService::metadata() const
{
    // The names come only from the notice; a player the notice keeps quiet about still
    // has a current track, which names nothing.
    if (!m_noticeMetadata.isEmpty())
        return m_noticeMetadata;
    if (m_attached && m_state.status != Media::Status::Stopped)
        return {{QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(TrackId))}};
    return {};
}

QVariantMap MprisService::rootProperties() const
{
    return {{QStringLiteral("CanQuit"), m_attached}, {QStringLiteral("CanRaise"), m_attached}};
}

QVariantMap MprisService::playerProperties() const
{
    return {
        {QStringLiteral("PlaybackStatus"), playbackStatus()},
        {QStringLiteral("Metadata"), metadata()},
        {QStringLiteral("CanControl"), m_attached},
        {QStringLiteral("CanPlay"), m_attached && m_state.canPlay},
        {QStringLiteral("CanPause"), m_attached && m_state.canPause},
        {QStringLiteral("CanGoNext"), m_attached && m_state.canGoNext},
        {QStringLiteral("CanGoPrevious"), m_attached && m_state.canGoPrevious},
    };
}

void MprisService::changed()
{
    if (m_changes && !m_changes->isActive())
        m_changes->start();
}

void MprisService::sendChanges()
{
    sendChange(RootInterface, rootProperties(), m_sentRoot);
    sendChange(PlayerInterface, playerProperties(), m_sentPlayer);
}

void MprisService::sendChange(const QString &interface, const QVariantMap &now, QVariantMap &sent)
{
    QVariantMap differing;
    for (auto it = now.cbegin(); it != now.cend(); ++it) {
        if (sent.value(it.key()) != it.value())
            differing.insert(it.key(), it.value());
    }
    sent = now;
    if (differing.isEmpty() || !m_registered)
        return;
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << interface << differing << QStringList();
    m_bus.send(signal); // queued by the connection: never waits
}
