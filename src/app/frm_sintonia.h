#pragma once

#include "app/language.h"
#include "web/frm_googlefinder.h"
#include "platform/platformservices.h"

#include <QMainWindow>

#include <memory>

class BrowserKeyFilter;
class CatalogueCapture;
class Favourites;
class Options;
class Proxy;
class Schedule;
class StationPicker;
class WindowModes;
class PageSwitch;
class TFrm_About;
class NewsTicker;
class TFrm_GestioneNews;
class TFrm_News;
class TFrm_GestioneOpzioni;
class Mirrors;
class MediaControl;
class Playback;
class RecordingPage;
class SudokuPage;
class StationLists;
class QSystemTrayIcon;
class QTabWidget;
class WebPane;

// The main window: it builds the player's regions, owns one object per subsystem and runs
// the start-up sequence when it is created.
class TFrm_Sintonia final : public QMainWindow
{
    Q_OBJECT

signals:
    // The window has been painted for the first time.
    void firstShown();

public:
    static constexpr int SystemMenuCommand = 10;

    explicit TFrm_Sintonia(const PlatformServices &services, QWidget *parent = nullptr);
    ~TFrm_Sintonia() override;

    Mirrors &mirrors() const { return *m_mirrors; }
    CatalogueCapture &catalogue() const { return *m_catalogue; }
    StationLists &stationLists() const { return *m_lists; }
    Playback &playback() const { return *m_playback; }
    MediaControl &media() const { return *m_media; }
    RecordingPage &recording() const { return *m_recording; }
    SudokuPage &sudoku() const { return *m_sudoku; }
    Options &options() const { return *m_options; }
    Favourites &favourites() const { return *m_favourites; }
    Schedule &schedule() const { return *m_schedule; }
    Proxy &proxy() const { return *m_proxy; }
    WindowModes &modes() const { return *m_modes; }
    PageSwitch &pageSwitch() const { return *m_pageSwitch; }
    QSystemTrayIcon *tray() const { return m_tray; }
    // The windows made after the main window join it as they are created.
    void attachOptionsDialog(TFrm_GestioneOpzioni *dialog);
    void attachPickers(StationPicker *personal, StationPicker *scheduled);
    void attachNews(TFrm_News *ticker, TFrm_GestioneNews *settings);
    TFrm_GoogleFinder::Setup searchWindowSetup() const;
    void attachWebWindows(TFrm_About *about, TFrm_GoogleFinder *finder);
    TFrm_GoogleFinder *searchWindow() const { return m_finder; }
    NewsTicker &news() const { return *m_news; }
    QTabWidget *Pnl_Ascolta() const { return m_pnlAscolta; }
    WebPane *pane(const QString &name) const;
    BrowserKeyFilter *keyFilter() const { return m_keyFilter; }

    int CurrentLanguage() const { return m_language.CurrentLanguage(); }
    const LanguageTextSource &languageText() const { return m_language; }
    void ApplyLanguage(int n);
    // The options dialog on page 0..2, or -1: read and save the options without showing it.
    void ShowOptions(int page);

    QString SettingsFolder;
    QString TempFolder;

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void FormCreate();
    void connectMenus();
    void buildSubsystems();
    void buildOptions();
    void buildModes();
    void buildPageSwitch();
    QRect workArea() const;
    void syncOptionsToPlayback();
    void HistoryClick(bool forward);
    void CatalogueParsed();
    void setNowPlayingHint(const QString &hint);
    void FormDestroy();
    void Pnl_AscoltaChange();
    void LinguaClick(QAction *item);
    void Esci2Click();
    void SystemMenuSiteClick();

    PlatformServices m_services;
    Language m_language;
    QWidget *m_pnlTv = nullptr;
    QTabWidget *m_pnlAscolta = nullptr;
    Mirrors *m_mirrors = nullptr;
    CatalogueCapture *m_catalogue = nullptr;
    StationLists *m_lists = nullptr;
    Playback *m_playback = nullptr;
    MediaControl *m_media = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    RecordingPage *m_recording = nullptr;
    SudokuPage *m_sudoku = nullptr;
    Options *m_options = nullptr;
    Favourites *m_favourites = nullptr;
    Schedule *m_schedule = nullptr;
    std::unique_ptr<Proxy> m_proxy;
    WindowModes *m_modes = nullptr;
    PageSwitch *m_pageSwitch = nullptr;
    TFrm_About *m_about = nullptr;
    TFrm_GoogleFinder *m_finder = nullptr;
    NewsTicker *m_news = nullptr;
    TFrm_GestioneNews *m_newsSettings = nullptr;
    BrowserKeyFilter *m_keyFilter = nullptr;
    QString m_notifiedHint;
    bool m_shownOnce = false;
    bool m_paintedOnce = false;
};
