#pragma once

#include <QObject>
#include <QString>

#include "playback/nowplaying.h"
#include "playback/playrequest.h"

#include <QRect>
#include <QTimer>

struct CatalogueStore;
class Dialogs;
class LanguageTextSource;
class NoticeSink;
class Mirrors;
class QLabel;
class QTabWidget;
class QWidget;
class WebPane;

// The widgets of the main window that playing a station moves and loads.
struct PlaybackWidgets
{
    QWidget *mainWindow = nullptr;
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

signals:
    // The now-playing hint of the tray icon and the window ("Stai ascoltando: ...").
    void hintChanged(const QString &hint);
    // A station (or page) went into the listening pane, by the way `request` tells.
    void played(const PlayRequest &request);

public:
    static constexpr int ReloadDelayMs = 5000;

    Playback(const PlaybackWidgets &widgets, const Mirrors &mirrors, const CatalogueStore &catalogue,
             const LanguageTextSource &texts, Dialogs &dialogs, NoticeSink &notices, QString creditLine,
             QObject *parent = nullptr);

    // A click on row `slot` of list 1 or 3, and the tray entries of those lists.
    void RowClick(int list, int slot);
    void TrayEntryClick(int list, int slot);

    void ShowPlaybackPanes(bool withLoadingLine = true);
    void PlayListStation(int list, int slot, bool focus);
    void PlayStationById(int stationId);
    void OpenServerSection(int section);
    void OpenPersonalAddress();
    // Plays again what `request` played, the way it played it.
    void Replay(const PlayRequest &request);
    // The listening pane goes quiet: a blank page, and nothing named as playing.
    void Silence();

    void Wb_RadioProgressChange(int progress, int progressMax);
    void Wb_RadioTitleChange(const QString &title);
    void aggiornaTimerTimer();
    void WB_SponsorAggiuntiviTitleChange(const QString &title);
    void NowPlayingNotice(bool show, bool force);

    int NowPlayingCode() const { return m_nowPlayingCode; }
    // Callers that play through PlayStationById say first what plays.
    void setNowPlayingCode(int code) { m_nowPlayingCode = code; }
    bool StationStarted() const { return m_stationStarted; }
    QString AnnouncedName() const { return m_announcedName; }
    QString hint() const { return m_hint; }
    bool reloadArmed() const { return m_reload.isActive(); }
    int reloadRemainingMs() const { return m_reload.remainingTime(); }

    // The user's choice to tell the desktop what plays.
    void setMessengerOption(bool on) { m_messengerOption = on; }
    bool messengerOption() const { return m_messengerOption; }
    void setScheduledName(const QString &name) { m_inputs.scheduledName = name; }
    // Where the listening area goes while a station plays; full screen makes it larger.
    void setPlayingBounds(const QRect &bounds) { m_playingBounds = bounds; }
    void setPersonalName(int k, const QString &name);
    void setStartupStation(int id, const QString &name, bool playTicked);

private:
    // The address slot `slot` of `list` plays, or a null text when there is none.
    QString addressOf(int list, int slot) const;
    bool playable(int list, int slot) const;
    void PlayAddress(const QString &address);
    void loadBanner();
    void loadSponsorForGenericEdition();
    NowPlayingInputs inputs() const;
    void setHint(const QString &hint);

    PlaybackWidgets m_w;
    const Mirrors &m_mirrors;
    const CatalogueStore &m_catalogue;
    const LanguageTextSource &m_texts;
    Dialogs &m_dialogs;
    NoticeSink &m_notices;
    QString m_creditLine;
    NowPlayingInputs m_inputs;
    QString m_announcedName;
    QString m_hint;
    QTimer m_reload; // aggiornaTimer
    QRect m_playingBounds{1, 1, 559, 392};
    int m_nowPlayingCode = -1;
    bool m_stationStarted = false;
    bool m_messengerOption = false;
};
