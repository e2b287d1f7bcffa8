#include "news/frm_news.h"

#include "platform/webpane.h"

#include <QPushButton>
#include <QVBoxLayout>

TFrm_News::TFrm_News(PaneFactory &panes, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm_News"));
    setAccessibleName(QStringLiteral("News"));
    // A tool window has no taskbar entry; it stays above the others and shows no frame.
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(ClientWidth, ClientHeight);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_hide = new QPushButton(QStringLiteral("Nascondi"), this);
    m_hide->setObjectName(QStringLiteral("SpeedButton1"));
    m_hide->setFixedHeight(20);
    m_hide->setFlat(true);
    layout->addWidget(m_hide);
    m_browser = panes.createPane(this, QStringLiteral("WebBrowser1"));
    m_browser->widget()->setFixedSize(ClientWidth, ClientHeight - 20);
    layout->addWidget(m_browser->widget());
}
