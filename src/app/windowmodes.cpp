#include "app/windowmodes.h"

#include "platform/languagetext.h"

#include <QAction>
#include <QEvent>
#include <QLayout>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTabWidget>

namespace {

constexpr int NormalWidth = 716;
constexpr int NormalHeight = 477;
const QString VersionCaption = QStringLiteral("Sintonia by Ventaglio - \"Versione 4.5\"");

} // namespace

FullScreenLayout FullScreenLayout::forClient(const QSize &client)
{
    FullScreenLayout l;
    const int w = client.width();
    const int h = client.height();
    l.pnlTv = QRect(0, 0, w, h);
    l.sfondo = QRect(0, 0, w, h);
    l.pnlAscolta = QRect(0, 0, w, std::max(0, h - BannerHeight));
    l.panel1 = QRect(0, std::max(0, h - BannerHeight), w, BannerHeight);
    l.panel2 = QRect(0, 0, w, BannerHeight - 2);
    return l;
}

WindowModes::WindowModes(QMainWindow *window, QSystemTrayIcon *tray, const LanguageTextSource &texts,
                         std::function<bool()> trayAvailable, QObject *parent)
    : QObject(parent)
    , m_window(window)
    , m_tray(tray)
    , m_texts(texts)
    , m_trayAvailable(std::move(trayAvailable))
{
    if (QWidget *panel = find("Pnl_Tv"))
        panel->installEventFilter(this);
}

template <typename T> T *WindowModes::find(const char *name) const
{
    return m_window->findChild<T *>(QLatin1String(name));
}

void WindowModes::setShown(const char *name, bool shown)
{
    if (auto *action = find<QAction>(name))
        action->setVisible(shown);
    else if (auto *menu = find<QMenu>(name))
        menu->menuAction()->setVisible(shown);
    else if (auto *widget = find<QWidget>(name))
        widget->setVisible(shown);
}

void WindowModes::setCaption(const char *name, int key)
{
    if (auto *action = find<QAction>(name))
        action->setText(m_texts.LanguageText(key));
}

void WindowModes::refreshCaptions()
{
    setCaption("Rimpicciolisciinalto1", m_compact ? 9 : 8);
    setCaption("Atuttoschermo1", m_fullScreen ? 9 : 11);
}

void WindowModes::ToggleCompactStrip()
{
    if (m_fullScreen)
        return;
    QWidget *strip = find("Pnl_Ridotto");
    QWidget *panel = find("Pnl_Tv");
    if (!m_compact) {
        m_savedTop = m_window->y();
        m_savedLeft = m_window->x();
        const QScreen *screen = m_window->screen();
        m_window->move(screen ? screen->geometry().topLeft() : QPoint(0, 0));
        strip->show();
        panel->hide();
        m_compact = true;
        refreshCaptions();
        // The title bar says what plays, or nothing yet.
        m_window->setWindowTitle(m_window->accessibleDescription());
        for (const char *name : {"RadioMenu", "Atuttoschermo1", "N9", "Newsletter1", "N4"})
            setShown(name, false);
    } else {
        m_window->move(m_savedLeft, m_savedTop);
        panel->show();
        strip->hide();
        m_compact = false;
        refreshCaptions();
        m_window->setWindowTitle(VersionCaption);
        for (const char *name : {"RadioMenu", "Atuttoschermo1", "N9", "Newsletter1", "N4"})
            setShown(name, true);
    }
}

// Full screen lets the window grow with its screen; the normal layout holds it to the
// size of what it shows.
void WindowModes::keepScreenIfFree(bool free)
{
    QWidget *panel = find("Pnl_Tv");
    if (free) {
        m_window->layout()->setSizeConstraint(QLayout::SetDefaultConstraint);
        m_window->setMinimumSize(0, 0);
        m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        panel->setMinimumSize(0, 0);
        panel->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    } else {
        panel->setFixedSize(NormalWidth, NormalHeight);
        m_window->layout()->setSizeConstraint(QLayout::SetFixedSize);
    }
}

void WindowModes::ToggleFullScreen()
{
    if (m_compact)
        return;
    if (!m_fullScreen) {
        m_savedTop = m_window->y();
        m_savedLeft = m_window->x();
        m_fullScreen = true;
        keepScreenIfFree(true);
        m_window->setWindowState((m_window->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized);
        refreshCaptions();
        for (const char *name : {"Rimpicciolisciinalto1", "Pnl_SponsorAgg", "N3"})
            setShown(name, false);
        placeFullScreen();
    } else {
        m_fullScreen = false;
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMaximized);
        keepScreenIfFree(false);
        m_window->move(m_savedLeft, m_savedTop);
        refreshCaptions();
        for (const char *name : {"Rimpicciolisciinalto1", "Pnl_SponsorAgg", "N3"})
            setShown(name, true);
        placeNormal();
    }
}

// The regions follow the client area of the window as the window manager sizes it, also
// when it moves to another screen.
void WindowModes::placeFullScreen()
{
    QWidget *panel = find("Pnl_Tv");
    const FullScreenLayout l = FullScreenLayout::forClient(panel->size());
    const struct { const char *name; QRect place; } regions[] = {
        {"Sfondo", l.sfondo}, {"Pnl_Ascolta", l.pnlAscolta}, {"Panel1", l.panel1}, {"Panel2", l.panel2}};
    for (const auto &r : regions) {
        if (QWidget *w = find(r.name))
            w->setGeometry(r.place);
    }
    emit playingBoundsChanged(l.pnlAscolta);
}

void WindowModes::placeNormal()
{
    const struct { const char *name; QRect place; } regions[] = {
        {"Sfondo", QRect(0, 14, 561, 463)}, {"Pnl_Ascolta", NormalPlayingBounds}, {"Panel1", QRect(0, 407, 559, 70)},
        {"Panel2", QRect(1, 1, 557, 68)}};
    for (const auto &r : regions) {
        if (QWidget *w = find(r.name))
            w->setGeometry(r.place);
    }
    emit playingBoundsChanged(NormalPlayingBounds);
}

bool WindowModes::eventFilter(QObject *watched, QEvent *event)
{
    if (m_fullScreen && event->type() == QEvent::Resize && watched->objectName() == QLatin1String("Pnl_Tv"))
        placeFullScreen();
    return false;
}

QRect WindowModes::listeningBounds(bool withBanner) const
{
    if (!m_fullScreen)
        return withBanner ? NormalPlayingBounds : QRect(1, 1, 559, 459);
    const FullScreenLayout l = FullScreenLayout::forClient(find("Pnl_Tv")->size());
    return withBanner ? l.pnlAscolta : l.pnlTv;
}

void WindowModes::HideToTray()
{
    if (!m_trayAvailable()) {
        // No tray to come back from: the taskbar keeps the way back.
        m_window->showMinimized();
        return;
    }
    m_tray->show();
    m_window->hide();
}

void WindowModes::WindowMinimised()
{
    if (m_trayAvailable())
        HideToTray();
}

void WindowModes::ShowFromTray()
{
    if (m_window->isMinimized())
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}
