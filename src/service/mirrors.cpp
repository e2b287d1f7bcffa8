#include "service/mirrors.h"

#include "platform/clock.h"
#include "platform/randomgenerator.h"
#include "platform/webpane.h"
#include "service/lampstrip.h"
#include "service/serveraddress.h"

#include <QCoreApplication>

namespace {
constexpr qint64 NeverTried = -1;
}

Mirrors::Mirrors(const Endpoints &endpoints, RandomGenerator &random, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_endpoints(endpoints)
    , m_random(random)
    , m_access(clock, [this] {
        if (m_home)
            m_home->navigate(ServerAddress::access(ServerRoot()));
    })
    , m_bannerFailover(clock, [this] {
        if (m_banner)
            m_banner->navigate(ServerAddress::banner(ServerRoot()));
    })
{
}

Mirrors::Pacer::Pacer(Clock &clock, std::function<void()> attempt)
    : m_clock(clock)
    , m_attempt(std::move(attempt))
{
    m_lastAttemptMs.fill(NeverTried);
    m_retry.setSingleShot(true);
    QObject::connect(&m_retry, &QTimer::timeout, [this] { attemptNow(m_waitingMirror); });
}

void Mirrors::Pacer::request(int mirror)
{
    const qint64 last = m_lastAttemptMs[static_cast<size_t>(mirror)];
    const qint64 wait = last == NeverTried ? 0 : last + MinAttemptIntervalMs - m_clock.nowMs();
    if (wait > 0) {
        m_waitingMirror = mirror;
        m_retry.start(static_cast<int>(qMin<qint64>(wait, MinAttemptIntervalMs)));
        return;
    }
    attemptNow(mirror);
}

void Mirrors::Pacer::attemptNow(int mirror)
{
    m_retry.stop();
    m_lastAttemptMs[static_cast<size_t>(mirror)] = m_clock.nowMs();
    m_attempt();
}

void Mirrors::attach(QWidget *lampRoot, WebPane *wbPrincipale, WebPane *webBrowser3, WebPane *webBrowser2)
{
    m_lampRoot = lampRoot;
    m_home = wbPrincipale;
    m_catalogue = webBrowser3;
    m_banner = webBrowser2;
    if (m_home) {
        connect(m_home, &WebPane::titleChange, this, &Mirrors::WB_PrincipaleTitleChange);
        connect(m_home, &WebPane::progressChange, this, &Mirrors::WB_PrincipaleProgressChange);
    }
    if (m_banner)
        connect(m_banner, &WebPane::titleChange, this, &Mirrors::WebBrowser2TitleChange);
}

void Mirrors::ChooseMirror()
{
    m_random.seedFromClock();
    m_mirrorCount = Endpoints::MirrorCount;
    m_mirrorIndex = m_random.draw(m_mirrorCount) + 1;
    LampStrip::setLamp(m_lampRoot, m_mirrorIndex, true);
    m_mirrorHost = m_endpoints.mirrors;
}

QString Mirrors::ServerRoot() const
{
    const int index = (m_mirrorIndex >= 1 && m_mirrorIndex <= m_mirrorCount) ? m_mirrorIndex : 1;
    QString host = m_mirrorHost[static_cast<size_t>(index - 1)];
    if (host.isEmpty()) // before ChooseMirror
        host = m_endpoints.mirrors[static_cast<size_t>(index - 1)];
    return QStringLiteral("http://") + host;
}

void Mirrors::StartAccess()
{
    m_access.request(m_mirrorIndex);
    RequestCatalogue();
}

void Mirrors::RequestCatalogue()
{
    emit catalogueRequested();
    if (m_catalogue)
        m_catalogue->navigate(ServerAddress::catalogue(ServerRoot()));
}

void Mirrors::WB_PrincipaleTitleChange(const QString &text)
{
    m_accessTitle = text;
}

void Mirrors::WB_PrincipaleProgressChange(int progress, int progressMax)
{
    if (progress < progressMax)
        return;
    const bool ok = m_accessTitle.compare(QLatin1String("accessoOK"), Qt::CaseInsensitive) == 0;
    const bool stillLoading =
        m_accessTitle.compare(ServerAddress::access(ServerRoot()), Qt::CaseInsensitive) == 0;
    if (!ok && !stillLoading) {
        const int from = m_mirrorIndex;
        m_mirrorIndex = m_mirrorIndex + 1 > m_mirrorCount ? 1 : m_mirrorIndex + 1;
        moveLamp(from, m_mirrorIndex);
        m_access.request(m_mirrorIndex);
    }
    if (ok && m_mirrorIndex != 1)
        RequestCatalogue();
}

bool Mirrors::bannerFailed(const QString &title) const
{
    const QString location = m_banner ? m_banner->locationUrl() : QString();
    if (location.left(4).compare(QLatin1String("Http"), Qt::CaseInsensitive) != 0)
        return true;
    if (title.compare(QLatin1String("sponsor"), Qt::CaseInsensitive) != 0
        && title.left(5).compare(QLatin1String("http:"), Qt::CaseInsensitive) != 0)
        return true;
    return m_banner && m_banner->hasDocument() && m_banner->documentProtocol() == QLatin1String("file:");
}

void Mirrors::WebBrowser2TitleChange(const QString &text)
{
    const int before = m_mirrorIndex;
    if (bannerFailed(text))
        ++m_mirrorIndex;
    if (m_mirrorIndex > m_mirrorCount)
        m_mirrorIndex = 1;
    if (m_mirrorIndex == before)
        return;
    moveLamp(before, m_mirrorIndex);
    m_bannerFailover.request(m_mirrorIndex);
    QCoreApplication::processEvents();
}

void Mirrors::moveLamp(int from, int to)
{
    LampStrip::setLamp(m_lampRoot, from, false);
    LampStrip::setLamp(m_lampRoot, to, true);
}
