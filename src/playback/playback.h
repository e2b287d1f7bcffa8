#pragma once

#include <QObject>
#include <QString>

struct CatalogueStore;
class LanguageTextSource;
class Mirrors;
class QLabel;
class QTabWidget;
class QWidget;
class WebPane;

// The widgets of the main window that playing a station moves and loads.
struct PlaybackWidgets
{
    QWidget *pnlTv = nullptr;
    QTabWidget *pnlAscolta = nullptr;
    QWidget *panel1 = nullptr;        // banner strip
    QLabel *loadingLine = nullptr;    // Lbl_Caricamento
    WebPane *wbRadio = nullptr;       // listening pane
    WebPane *webBrowser2 = nullptr;   // banner pane
    WebPane *sponsor = nullptr;       // WB_SponsorAggiuntivi
};

// Every way of putting a station into the listening pane, with the banner and sponsor
// panes that go with it.
class Playback final : public QObject
{
    Q_OBJECT

public:
    Playback(const PlaybackWidgets &widgets, const Mirrors &mirrors, const CatalogueStore &catalogue,
             const LanguageTextSource &texts, QObject *parent = nullptr);

    // A click on row `slot` of list 1 or 3, and the tray entries of those lists.
    void RowClick(int list, int slot);
    void TrayEntryClick(int list, int slot);

    void ShowPlaybackPanes(bool withLoadingLine = true);
    void PlayListStation(int list, int slot, bool focus);

    int NowPlayingCode() const { return m_nowPlayingCode; }
    bool StationStarted() const { return m_stationStarted; }

private:
    // The address slot `slot` of `list` plays, or a null text when there is none.
    QString addressOf(int list, int slot) const;
    bool playable(int list, int slot) const;
    void loadBanner();
    void loadSponsorForGenericEdition();

    PlaybackWidgets m_w;
    const Mirrors &m_mirrors;
    const CatalogueStore &m_catalogue;
    const LanguageTextSource &m_texts;
    int m_nowPlayingCode = -1;
    bool m_stationStarted = false;
};
