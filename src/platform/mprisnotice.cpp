#include "platform/mprisnotice.h"

#include "platform/mediarequests.h"
#include "platform/mprisservice.h"

MprisNotice::MprisNotice(const QString &serviceName)
    : m_requests(std::make_shared<MediaRequests>())
    , m_thread(new QThread)
    , m_service(new MprisService(serviceName, m_requests))
{
    m_thread->setObjectName(QStringLiteral("media player"));
    m_service->moveToThread(m_thread);
    QObject::connect(m_thread, &QThread::finished, m_service, &QObject::deleteLater);
    // However often the bus asks, the window's thread is told once per batch of requests.
    QObject::connect(m_service, &MprisService::requestsWaiting, &m_window, [this] { takeRequests(); },
                     Qt::QueuedConnection);
    m_thread->start();
    QMetaObject::invokeMethod(m_service, &MprisService::start, Qt::QueuedConnection);
}

MprisNotice::~MprisNotice()
{
    // The last notice (the clearing one) goes out before the thread ends.
    QObject::disconnect(m_service, nullptr, &m_window, nullptr);
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

void MprisNotice::attach(MediaCommands *player)
{
    m_player = player;
    if (!player)
        m_state = Media::State();
    m_requests->take(); // what was asked of another player is not this one's to do
    QMetaObject::invokeMethod(m_service,
                              [service = m_service, attached = player != nullptr, state = m_state] {
                                  service->setPlayer(attached, state);
                              },
                              Qt::QueuedConnection);
}

void MprisNotice::publish(const Media::State &state)
{
    m_state = state;
    if (!m_player)
        return;
    QMetaObject::invokeMethod(m_service, [service = m_service, state] { service->setPlayer(true, state); },
                              Qt::QueuedConnection);
}

void MprisNotice::takeRequests()
{
    for (const MediaRequests::Request &request : m_requests->take()) {
        if (!m_player)
            return;
        if (request.isStep) {
            if (request.steps != 0) // as many back as on
                m_player->step(request.steps);
        }
        else
            m_player->command(request.command);
    }
}
