#include "app/browserkeyfilter.h"

#include "app/mainlayout.h"
#include "platform/webpane.h"

#include <QEvent>
#include <QKeyEvent>
#include <QTabWidget>
#include <QWidget>

BrowserKeyFilter::BrowserKeyFilter(QTabWidget *pnlAscolta, QObject *parent)
    : QObject(parent)
    , m_pages(pnlAscolta)
{
}

QString BrowserKeyFilter::paneNameForPage(int page)
{
    switch (page) {
    case MainLayout::ListeningPage: return QStringLiteral("Wb_Radio");
    case MainLayout::VideoPage: return QStringLiteral("WB_Video");
    case MainLayout::ForumPage: return QStringLiteral("WB_Forum");
    case MainLayout::HotelPage: return QStringLiteral("WB_Hotel");
    case MainLayout::CommunityPage: return QStringLiteral("WB_Community");
    case MainLayout::NewPage: return QStringLiteral("WB_New");
    case MainLayout::CataloguePage: return QStringLiteral("Wb_Catalogo");
    default: return {};
    }
}

WebPane *BrowserKeyFilter::currentPane() const
{
    const QString name = paneNameForPage(m_pages->currentIndex());
    if (name.isEmpty())
        return nullptr;
    QWidget *window = m_pages->window();
    return window ? window->findChild<WebPane *>(name) : nullptr;
}

bool BrowserKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *target = qobject_cast<QWidget *>(watched);
    // A key the receiver ignores travels on to its parents; the filter judges it once.
    if (event == m_lastEvent && target && m_lastTarget && target->isAncestorOf(m_lastTarget))
        return false;
    m_lastEvent = event;
    m_lastTarget = target;
    m_lastHandled = false;
    WebPane *pane = currentPane();
    if (!pane || !target)
        return false;
    // A key aimed at the pane (or at the page inside it) is the pane's to process; Qt
    // delivers it there, with the browser's own accelerators, once the filter lets it pass.
    QWidget *paneWidget = pane->widget();
    m_lastHandled = paneWidget == target || paneWidget->isAncestorOf(target);
    return false;
}
