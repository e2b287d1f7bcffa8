#include "web/frm_googlefinder.h"

#include "platform/clickablelabel.h"
#include "platform/shell.h"
#include "platform/webpane.h"

#include <QHBoxLayout>
#include <QShowEvent>
#include <QPainter>

namespace {

// A narrow grip with a magnifying glass.
QPixmap handlePicture()
{
    QPixmap picture(15, TFrm_GoogleFinder::ClientHeight);
    picture.fill(QColor(0x10, 0x20, 0x40));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1.5));
    painter.drawEllipse(QRectF(2.5, 12.5, 8, 8));
    painter.drawLine(QPointF(9, 19), QPointF(13, 24));
    return picture;
}

} // namespace

TFrm_GoogleFinder::TFrm_GoogleFinder(PaneFactory &panes, Setup setup, QWidget *parent)
    : QWidget(parent)
    , m_setup(std::move(setup))
{
    setObjectName(QStringLiteral("Frm_GoogleFinder"));
    setWindowTitle(QStringLiteral("Ricerca con Google"));
    setAccessibleName(windowTitle());
    setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(ClientWidth, ClientHeight);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_handle = new ClickableLabel(QStringLiteral("Image1"), QString(), this);
    m_handle->setPixmap(handlePicture());
    m_handle->setFixedSize(15, ClientHeight);
    m_handle->setAccessibleName(QStringLiteral("Ricerca con Google"));
    layout->addWidget(m_handle);
    m_browser = panes.createPane(this, QStringLiteral("WebBrowser1"));
    m_browser->handNewWindowsOver(true);
    layout->addWidget(m_browser->widget(), 1);
    connect(m_handle, &ClickableLabel::clicked, this, &TFrm_GoogleFinder::Image1Click);
    connect(m_browser, &WebPane::newWindowRequested, this, [this](const QString &address) {
        if (m_setup.shell)
            m_setup.shell->open(address);
    });

    const QRect area = m_setup.workArea();
    move(rightEdge() - Collapsed, area.y() + area.height() - ClientHeight);
    applySwitch(m_setup.searchAtStart());
}

int TFrm_GoogleFinder::rightEdge() const
{
    const QRect area = m_setup.workArea();
    return area.x() + area.width();
}

bool TFrm_GoogleFinder::collapsed() const
{
    return x() + Collapsed == rightEdge();
}

void TFrm_GoogleFinder::loadForm()
{
    m_formLoaded = true;
    m_browser->navigate(m_setup.serverRoot() + QStringLiteral("/radio/GoogleFinder.htm"));
}

// The form is loaded when the window first shows: a hidden search window costs no page.
void TFrm_GoogleFinder::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_formLoaded)
        loadForm();
}

void TFrm_GoogleFinder::Image1Click()
{
    loadForm();
    move(collapsed() ? rightEdge() - ClientWidth : rightEdge() - Collapsed, y());
    applySwitch(m_setup.searchAtStart());
}
