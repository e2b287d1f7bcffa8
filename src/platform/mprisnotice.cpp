#include "platform/mprisnotice.h"

#include "platform/mprisservice.h"
#include "platform/notice.h"

#include <QDBusMessage>
#include <QDBusObjectPath>

namespace {
const QString ObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString ConnectionName = QStringLiteral("sintonia-now-playing");
} // namespace

MprisService::MprisService()
    : m_bus(QStringLiteral("unconnected"))
{
    new MprisRootAdaptor(this);
    new MprisPlayerAdaptor(this);
}

void MprisService::start()
{
    m_bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, ConnectionName);
    if (!m_bus.isConnected())
        return; // no session bus: nobody to tell
    m_registered = m_bus.registerObject(ObjectPath, this, QDBusConnection::ExportAdaptors)
        && m_bus.registerService(QLatin1String(MprisNotice::ServiceName));
}

void MprisService::apply(const QByteArray &record)
{
    const Notice::Reading reading = Notice::read(record);
    if (reading.valid && reading.playing) {
        m_status = QStringLiteral("Playing");
        m_metadata = {
            {QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(QStringLiteral("/org/mpris/MediaPlayer2/Track/1")))},
            {QStringLiteral("xesam:title"), reading.title},
            {QStringLiteral("xesam:artist"), QStringList{reading.artist}},
        };
    } else {
        m_status = QStringLiteral("Stopped");
        m_metadata.clear();
    }
    if (!m_registered)
        return;
    QDBusMessage changed = QDBusMessage::createSignal(ObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("PropertiesChanged"));
    changed << QStringLiteral("org.mpris.MediaPlayer2.Player")
            << QVariantMap{{QStringLiteral("PlaybackStatus"), m_status}, {QStringLiteral("Metadata"), m_metadata}}
            << QStringList();
    m_bus.send(changed);
}

void MprisService::stop()
{
    if (m_registered) {
        m_bus.unregisterService(QLatin1String(MprisNotice::ServiceName));
        m_bus.unregisterObject(ObjectPath);
        m_registered = false;
    }
    QDBusConnection::disconnectFromBus(ConnectionName);
}

MprisNotice::MprisNotice()
    : m_thread(new QThread)
    , m_service(new MprisService)
{
    m_thread->setObjectName(QStringLiteral("now-playing notice"));
    m_service->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_service, &QObject::deleteLater);
    m_thread->start();
    QMetaObject::invokeMethod(m_service, &MprisService::start, Qt::QueuedConnection);
}

MprisNotice::~MprisNotice()
{
    // The last notice (the clearing one) goes out before the thread ends.
    QMetaObject::invokeMethod(m_service, &MprisService::stop, Qt::QueuedConnection);
    m_thread->quit();
    if (m_thread->wait(2000)) {
        delete m_thread;
        return;
    }
    // A bus that does not answer keeps the thread; the process is ending anyway, and a
    // running thread must not be destroyed.
}

void MprisNotice::deliver(const QByteArray &record)
{
    QMetaObject::invokeMethod(m_service, [service = m_service, record] { service->apply(record); },
                              Qt::QueuedConnection);
}
