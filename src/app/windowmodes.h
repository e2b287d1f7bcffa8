#pragma once

#include <QObject>
#include <QRect>

#include <functional>

class LanguageTextSource;
class QMainWindow;
class QSystemTrayIcon;
class QWidget;

// Where the regions of the main window's panel go in full screen, for a client area of
// `client`: the listening area fills it but for the 70-pixel banner strip at the bottom.
struct FullScreenLayout
{
    static constexpr int BannerHeight = 70;

    QRect pnlTv, sfondo, pnlAscolta, panel1, panel2;
    static FullScreenLayout forClient(const QSize &client);
};

// The main window's other ways of occupying the screen: the compact strip in the top left
// corner (title bar and menus only), full screen, and hidden in the tray.
class WindowModes final : public QObject
{
    Q_OBJECT

signals:
    // The listening area's bounds while a station plays changed with the mode.
    void playingBoundsChanged(const QRect &bounds);

public:
    static constexpr QRect NormalPlayingBounds{1, 1, 559, 392};

    // `trayAvailable` tells whether the desktop shows tray icons at all.
    WindowModes(QMainWindow *window, QSystemTrayIcon *tray, const LanguageTextSource &texts,
                std::function<bool()> trayAvailable, QObject *parent = nullptr);

    void ToggleCompactStrip();
    void ToggleFullScreen();
    void HideToTray();
    void ShowFromTray();
    // The title-bar minimise: into the tray where there is one.
    void WindowMinimised();
    // After the interface language changed: a mode's command keeps its "leave" caption.
    void refreshCaptions();
    void setTrayAvailable(std::function<bool()> available) { m_trayAvailable = std::move(available); }

    // The listening area with or without the banner strip under it, in the mode in force.
    QRect listeningBounds(bool withBanner) const;
    bool compact() const { return m_compact; }
    bool fullScreen() const { return m_fullScreen; }
    QPoint saved() const { return {m_savedLeft, m_savedTop}; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setShown(const char *name, bool shown);
    void setCaption(const char *name, int key);
    void placeFullScreen();
    void placeNormal();
    void keepScreenIfFree(bool free);
    template <typename T = QWidget> T *find(const char *name) const;

    QMainWindow *m_window;
    QSystemTrayIcon *m_tray;
    const LanguageTextSource &m_texts;
    std::function<bool()> m_trayAvailable;
    int m_savedTop = 0;
    int m_savedLeft = 0;
    bool m_compact = false;
    bool m_fullScreen = false;
};
