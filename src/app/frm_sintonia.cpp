#include "app/frm_sintonia.h"

#include "app/browserkeyfilter.h"
#include "app/darkpalette.h"
#include "app/mainlayout.h"
#include "app/mainmenu.h"
#include "app/mediakeys.h"
#include "app/windowmodes.h"
#include "web/frm_about.h"
#include "web/links.h"
#include "web/pageswitch.h"
#include "news/frm_gestionenews.h"
#include "news/newsticker.h"
#include "platform/trayhost.h"
#include "platform/desktopnotifier.h"
#include "platform/screencentre.h"
#include "platform/sleepinhibitor.h"
#include "platform/shell.h"
#include "playback/mediacontrol.h"
#include "playback/playback.h"
#include "recording/recordingpage.h"
#include "platform/autostart.h"
#include "settings/favourites.h"
#include "settings/options.h"
#include "settings/proxy.h"
#include "settings/schedule.h"
#include "sudoku/ui/sudokupage.h"
#include "platform/webpane.h"
#include "service/catalogueapply.h"
#include "service/cataloguecapture.h"
#include "service/endpoints.h"
#include "service/lampstrip.h"
#include "service/mirrors.h"
#include "service/serveraddress.h"
#include "service/stationlists.h"
#include "platform/clickablelabel.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

TFrm_Sintonia::TFrm_Sintonia(const PlatformServices &services, QWidget *parent)
    : QMainWindow(parent)
    , m_services(services)
{
    setObjectName(QStringLiteral("Frm_Sintonia"));
    setWindowTitle(QStringLiteral("Sintonia by Ventaglio"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

    setPalette(darkPalette());
    setAutoFillBackground(true);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(11);
    setFont(font);

    // The client area: the 2-pixel strip of the compact mode above the player's panel.
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("Pnl_Client"));
    auto *column = new QVBoxLayout(client);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    auto *strip = new QWidget(client);
    strip->setObjectName(QStringLiteral("Pnl_Ridotto"));
    strip->setFixedSize(393, 2);
    strip->hide();
    column->addWidget(strip, 0, Qt::AlignLeft | Qt::AlignTop);
    m_pnlTv = new QWidget(client);
    m_pnlTv->setObjectName(QStringLiteral("Pnl_Tv"));
    m_pnlTv->setFixedSize(MainLayout::Width, MainLayout::Height);
    m_pnlTv->setAutoFillBackground(true);
    column->addWidget(m_pnlTv);
    setCentralWidget(client);
    // The window takes the size of what it shows, nothing more.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    MainLayout::build(m_pnlTv, *m_services.panes);
    LampStrip::build(m_pnlTv);
    m_pnlAscolta = m_pnlTv->findChild<QTabWidget *>(QStringLiteral("Pnl_Ascolta"));

    m_mirrors = new Mirrors(Endpoints::fromFile(m_services.settingsFolder + QLatin1String(EndpointsFileName)),
                            *m_services.random, *m_services.clock, this);
    m_mirrors->attach(m_pnlTv, pane(QStringLiteral("WB_Principale")), pane(QStringLiteral("WebBrowser3")),
                      pane(QStringLiteral("WebBrowser2")));
    MainMenu::build(this, m_mirrors->endpoints());
    buildSubsystems();
    connectMenus();

    FormCreate();
}

TFrm_Sintonia::~TFrm_Sintonia()
{
    FormDestroy();
}


void TFrm_Sintonia::FormDestroy()
{
    if (m_playback)
        m_playback->NowPlayingNotice(false, true);
    if (m_keyFilter && qApp)
        qApp->removeEventFilter(m_keyFilter);
}

WebPane *TFrm_Sintonia::pane(const QString &name) const
{
    return findChild<WebPane *>(name);
}

void TFrm_Sintonia::buildSubsystems()
{
    m_catalogue = new CatalogueCapture(*pane(QStringLiteral("WebBrowser3")), *m_services.dialogs, this,
                                       m_services.tempFolder, this);
    connect(m_mirrors, &Mirrors::catalogueRequested, m_catalogue, &CatalogueCapture::Reset);
    connect(m_catalogue, &CatalogueCapture::catalogueParsed, this, &TFrm_Sintonia::CatalogueParsed);

    m_lists = new StationLists(m_pnlTv, MainMenu::buildTrayMenu(this), m_catalogue->store(), m_language, this);

    PlaybackWidgets widgets;
    widgets.pnlTv = m_pnlTv;
    widgets.pnlAscolta = m_pnlAscolta;
    widgets.panel1 = m_pnlTv->findChild<QWidget *>(QStringLiteral("Panel1"));
    widgets.loadingLine = m_pnlTv->findChild<QLabel *>(QStringLiteral("Lbl_Caricamento"));
    widgets.wbRadio = pane(QStringLiteral("Wb_Radio"));
    widgets.webBrowser2 = pane(QStringLiteral("WebBrowser2"));
    widgets.sponsor = pane(QStringLiteral("WB_SponsorAggiuntivi"));
    widgets.mainWindow = this;
    m_playback = new Playback(widgets, *m_mirrors, m_catalogue->store(), m_language, *m_services.dialogs,
                              *m_services.notices, QStringLiteral("Sintonia by ") + m_mirrors->endpoints().mainSite,
                              this);
    connect(m_playback, &Playback::hintChanged, this, &TFrm_Sintonia::setNowPlayingHint);

    m_sudoku = new SudokuPage(m_pnlAscolta->widget(MainLayout::SudokuPage), *m_services.dialogs,
                              *m_services.random, this);

    RecordingPageSetup recording;
    recording.settingsFolder = m_services.settingsFolder;
    recording.productSiteHost = m_mirrors->endpoints().productSite;
    recording.recordingFolder = m_services.recordingFolder;
    m_recording = new RecordingPage(m_pnlAscolta->widget(MainLayout::RecordingPage), *m_services.dialogs,
                                    *m_services.shell, recording, this);
    connect(m_recording, &RecordingPage::pageSwitchRequested, this, &TFrm_Sintonia::Pnl_AscoltaChange);
    // No sleep in the middle of a recording.
    auto *inhibitor = new SleepInhibitor(this);
    inhibitor->setObjectName(QStringLiteral("SleepInhibitor"));
    connect(m_recording, &RecordingPage::recordingChanged, inhibitor, [inhibitor](bool running) {
        inhibitor->setHeld(running, QStringLiteral("Registrazione in corso"));
    });
    connect(m_pnlAscolta, &QTabWidget::currentChanged, this, &TFrm_Sintonia::Pnl_AscoltaChange);

    m_tray = new QSystemTrayIcon(QIcon(QStringLiteral(":/app/pictures/tray.png")), this);
    m_tray->setObjectName(QStringLiteral("CoolTrayIcon1"));
    m_tray->setToolTip(QStringLiteral("Seleziona la tua radio preferita"));
    m_tray->setContextMenu(findChild<QMenu *>(QStringLiteral("PopupMenu1")));
    if (QSystemTrayIcon::isSystemTrayAvailable())
        m_tray->show();
    connect(m_lists, &StationLists::rowClicked, m_playback, &Playback::RowClick);
    connect(m_lists, &StationLists::trayEntryChosen, m_playback, &Playback::TrayEntryClick);
    buildOptions();
    buildModes();
    buildPageSwitch();
    m_media = MediaKeys::build(*this, m_services.media);
}

void TFrm_Sintonia::buildPageSwitch()
{
    PageSwitch::Setup setup;
    setup.pnlTv = m_pnlTv;
    setup.pnlAscolta = m_pnlAscolta;
    setup.pane = [this](const QString &name) { return pane(name); };
    setup.stationStarted = [this] { return m_playback->StationStarted(); };
    setup.serverRoot = [this] { return m_mirrors->ServerRoot(); };
    setup.bounds = [this](bool withBanner) { return m_modes->listeningBounds(withBanner); };
    setup.productSite = m_mirrors->endpoints().productSite;
    setup.mainSite = m_mirrors->endpoints().mainSite;
    setup.secondSite = m_mirrors->endpoints().secondSite;
    setup.texts = &m_language;
    m_pageSwitch = new PageSwitch(setup, this);
}

void TFrm_Sintonia::buildModes()
{
    m_modes = new WindowModes(this, m_tray, m_language, &QSystemTrayIcon::isSystemTrayAvailable, this);
    connect(m_modes, &WindowModes::playingBoundsChanged, m_playback, &Playback::setPlayingBounds);
    const auto onAction = [this](const char *name, void (WindowModes::*handler)()) {
        if (auto *action = findChild<QAction *>(QLatin1String(name)))
            connect(action, &QAction::triggered, m_modes, handler);
    };
    onAction("Rimpicciolisciinalto1", &WindowModes::ToggleCompactStrip);
    onAction("Atuttoschermo1", &WindowModes::ToggleFullScreen);
    onAction("Riduciaicona1", &WindowModes::HideToTray);
    onAction("Ripristina1", &WindowModes::ShowFromTray);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        // A double-click does what the menu's default entry does.
        if (reason == QSystemTrayIcon::DoubleClick)
            if (QAction *entry = m_tray->contextMenu() ? m_tray->contextMenu()->defaultAction() : nullptr)
                entry->trigger();
    });
    // A tray host that starts, or starts again, gets the icon anew.
    auto *trayHost = new TrayHostWatcher(this);
    connect(trayHost, &TrayHostWatcher::hostAppeared, this, [this] {
        m_tray->hide();
        m_tray->show();
    });
}

void TFrm_Sintonia::ApplyLanguage(int n)
{
    m_language.ApplyLanguage(n, this);
    if (m_modes)
        m_modes->refreshCaptions();
}

void TFrm_Sintonia::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // The title-bar minimise hides the window in the tray, once the state change is done.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_modes)
        QTimer::singleShot(0, m_modes, [this] {
            if (isMinimized())
                m_modes->WindowMinimised();
        });
}

void TFrm_Sintonia::buildOptions()
{
    OptionsHooks hooks;
    hooks.applyLanguage = [this] { ApplyLanguage(CurrentLanguage()); };
    hooks.currentLanguage = [this] { return CurrentLanguage(); };
    hooks.setCurrentLanguage = [this](int row) { m_language.setCurrentLanguage(row); };
    hooks.playStartupStation = [this](qint32 id) {
        m_playback->setNowPlayingCode(0);
        m_playback->PlayStationById(id);
    };
    hooks.showSearchWindow = [this](bool on) {
        if (m_finder)
            m_finder->applySwitch(on);
    };
    hooks.messengerChanged = [this](bool on) { m_playback->NowPlayingNotice(on, !on); };
    hooks.timetableChanged = [this](bool on) { m_schedule->setActive(on); };
    hooks.loadTimetable = [this] { m_schedule->Load(); };
    hooks.saveTimetable = [this] { return m_schedule->Save(); };
    hooks.refreshFavourites = [this] { m_favourites->RefreshFavourites(); };
    hooks.serverRoot = [this] { return m_mirrors->ServerRoot(); };

    m_schedule = new Schedule(m_services.settingsFolder, *m_services.dialogs, *m_services.wallClock,
                              [this] { return m_mirrors->ServerRoot(); }, this);
    connect(m_schedule, &Schedule::stationDue, this, [this](const QString &name, qint32 id) {
        m_playback->setNowPlayingCode(20);
        m_playback->setScheduledName(name);
        m_playback->PlayStationById(id);
    });

    OptionsSetup setup;
    setup.settingsFolder = m_services.settingsFolder;
    setup.autostartFolder = m_services.autostartFolder.isEmpty() ? Autostart::defaultFolder()
                                                                 : m_services.autostartFolder;
    setup.programPath = Autostart::programToStart(QCoreApplication::applicationFilePath());
    setup.dialogs = m_services.dialogs;
    setup.messageParent = this;
    m_options = new Options(setup, std::move(hooks), this);
    m_proxy = std::make_unique<Proxy>(m_services.settingsFolder, *m_services.proxy, *m_services.dialogs, m_language,
                                      this);
    connect(m_options, &Options::changed, this, &TFrm_Sintonia::syncOptionsToPlayback);

    m_favourites = new Favourites(m_options->personalSlots(), m_pnlTv, findChild<QMenu *>(QStringLiteral("PopupMenu1")),
                                  m_language, [this] { m_lists->ClearHighlights(); }, this);
    connect(m_favourites, &Favourites::stationChosen, this, [this](int code, qint32 id) {
        m_playback->setNowPlayingCode(code);
        m_playback->PlayStationById(id);
    });
}

// Playback names what plays from the options: the start-up station and the personal ones.
void TFrm_Sintonia::syncOptionsToPlayback()
{
    m_playback->setMessengerOption(m_options->messenger());
    m_playback->setStartupStation(m_options->startupStationId(), m_options->nameShown(),
                                  m_options->playAtStartTicked());
    for (int n = 1; n <= 15; ++n)
        m_playback->setPersonalName(n, m_options->personalSlots().slot(n)->Name);
}

void TFrm_Sintonia::attachOptionsDialog(TFrm_GestioneOpzioni *dialog)
{
    m_schedule->attachDialog(dialog);
    m_options->attachDialog(dialog);
}

void TFrm_Sintonia::attachPickers(StationPicker *personal, StationPicker *scheduled)
{
    m_options->attachPicker(personal);
    m_schedule->attachPicker(scheduled);
}

void TFrm_Sintonia::attachNews(TFrm_News *ticker, TFrm_GestioneNews *settings)
{
    NewsTicker::Setup setup;
    setup.settingsFolder = m_services.settingsFolder;
    setup.serverRoot = [this] { return m_mirrors->ServerRoot(); };
    setup.workArea = [this] { return workArea(); };
    setup.dialogs = m_services.dialogs;
    m_newsSettings = settings;
    m_news = new NewsTicker(ticker, settings, setup, this);
    m_news->Restore();
}

QRect TFrm_Sintonia::workArea() const
{
    if (m_services.workArea)
        return m_services.workArea();
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
}

TFrm_GoogleFinder::Setup TFrm_Sintonia::searchWindowSetup() const
{
    TFrm_GoogleFinder::Setup setup;
    setup.serverRoot = [this] { return m_mirrors->ServerRoot(); };
    setup.workArea = [this] { return workArea(); };
    setup.searchAtStart = [this] { return m_options->searchAtStart(); };
    setup.shell = m_services.shell;
    return setup;
}

void TFrm_Sintonia::attachWebWindows(TFrm_About *about, TFrm_GoogleFinder *finder)
{
    m_about = about;
    m_finder = finder;
}

void TFrm_Sintonia::ShowOptions(int page)
{
    m_options->ShowOptions(page);
}

// Back and forward act on the browser of the listening area's page in view.
void TFrm_Sintonia::HistoryClick(bool forward)
{
    m_playback->setNowPlayingCode(0);
    static const char *const browsers[] = {"Wb_Radio", nullptr, "WB_Video", "WB_Forum", "WB_Hotel",
                                           "WB_Community", "WB_New"};
    const int page = m_pnlAscolta->currentIndex();
    if (page < 0 || page >= int(std::size(browsers)) || !browsers[page])
        return;
    WebPane *browser = pane(QLatin1String(browsers[page]));
    if (!browser)
        return;
    const bool moved = forward ? browser->goForward() : browser->goBack(); // no history: nothing happens
    if (moved && page == 0 && m_media)
        m_media->listeningPaneMoved();
}

// The page switch of the listening area: the web sections, and the recording page's own work.
void TFrm_Sintonia::Pnl_AscoltaChange()
{
    if (m_pageSwitch)
        m_pageSwitch->Pnl_AscoltaChange();
    if (m_pnlAscolta->currentIndex() == MainLayout::RecordingPage)
        m_recording->PageShown();
}

void TFrm_Sintonia::CatalogueParsed()
{
    CatalogueTargets targets;
    targets.mainWindow = this;
    targets.sponsorPane = pane(QStringLiteral("WB_SponsorAggiuntivi"));
    targets.cataloguePane = pane(QStringLiteral("Wb_Catalogo"));
    targets.pnlAscolta = m_pnlAscolta;
    targets.productSite = m_mirrors->endpoints().productSite;
    ApplyCatalogue(m_catalogue->store(), targets);
    m_lists->ShowCatalogueLists();
}

void TFrm_Sintonia::setNowPlayingHint(const QString &hint)
{
    // Hidden in the tray, the window tells the desktop once for each new station.
    if (!isVisible() && !hint.isEmpty() && hint != m_notifiedHint && m_services.notifier) {
        m_notifiedHint = hint;
        m_services.notifier->notify(QStringLiteral("Sintonia"), hint);
    }
    // The window's hint: what the desktop's assistive tools read as its description.
    setAccessibleDescription(hint);
    m_tray->setToolTip(hint);
}

void TFrm_Sintonia::connectMenus()
{
    const auto onAction = [this](const char *name, auto handler) {
        if (auto *action = findChild<QAction *>(QLatin1String(name)))
            connect(action, &QAction::triggered, this, handler);
    };
    onAction("Ricercaradio1", [this] { m_playback->OpenServerSection(16); });
    onAction("Visualizzatutteleemittenti1", [this] { m_playback->OpenServerSection(17); });
    onAction("Newsletter1", [this] { m_playback->OpenServerSection(18); });
    onAction("Radioositowebpersonale1", [this] { m_playback->OpenPersonalAddress(); });
    onAction("Opzionidiavvio1", [this] { ShowOptions(0); });
    onAction("Radiopersonali1", [this] { ShowOptions(1); });
    onAction("Radioinplaylist1", [this] { ShowOptions(2); });
    onAction("Gestioneproxy1", [this] { m_proxy->EditProxy(); });
    onAction("About2", [this] {
        if (m_about)
            m_about->exec();
    });
    Links::connectAll(this, m_mirrors->endpoints(), *m_services.shell);
    onAction("NewseMeteo1", [this] {
        if (m_newsSettings)
            m_newsSettings->exec();
    });
    for (const auto &[name, forward] : {std::pair{"ImgIndietro", false}, std::pair{"ImgAvanti", true}}) {
        if (auto *arrow = findChild<ClickableLabel *>(QLatin1String(name)))
            connect(arrow, &ClickableLabel::clicked, this, [this, forward = forward] { HistoryClick(forward); });
    }
    // The two links start from a blank listening pane.
    for (const auto &[name, section] : {std::pair{"Label2", 16}, std::pair{"Label3", 17}}) {
        if (auto *link = findChild<ClickableLabel *>(QLatin1String(name))) {
            connect(link, &ClickableLabel::clicked, this, [this, section = section] {
                m_playback->setNowPlayingCode(0);
                if (WebPane *radio = pane(QStringLiteral("Wb_Radio")))
                    radio->navigate(QStringLiteral("About:Blank"));
                m_playback->OpenServerSection(section);
            });
        }
    }
    connect(findChild<QAction *>(QStringLiteral("Esci2")), &QAction::triggered, this, &TFrm_Sintonia::Esci2Click);
    connect(findChild<QAction *>(QStringLiteral("esci1")), &QAction::triggered, this, &TFrm_Sintonia::Esci2Click);
    connect(findChild<QAction *>(QStringLiteral("SystemMenuSite")), &QAction::triggered, this,
            &TFrm_Sintonia::SystemMenuSiteClick);
    auto *languages = findChild<QMenu *>(QStringLiteral("Lingua1"));
    connect(languages, &QMenu::triggered, this, &TFrm_Sintonia::LinguaClick);
}

void TFrm_Sintonia::LinguaClick(QAction *item)
{
    ApplyLanguage(item->data().toInt());
    ShowOptions(-1);
}

// The start-up sequence; nothing here waits for the network.
void TFrm_Sintonia::FormCreate()
{
    m_language.setCurrentLanguage(1);
    m_keyFilter = new BrowserKeyFilter(m_pnlAscolta, this);
    qApp->installEventFilter(m_keyFilter);

    m_sudoku->setBusy(true);

    m_pnlAscolta->setCurrentIndex(MainLayout::ListeningPage);
    m_pnlAscolta->setTabVisible(MainLayout::CataloguePage, false);

    if (ServerAddress::CustomisationValue == 0)
        setWindowTitle(QStringLiteral("Sintonia by Ventaglio - \"Versione 4.5\""));

    // The recording page's first-visit flag and the recording folder shown in Lbl_Folder.
    m_recording->StartUp();

    m_mirrors->ChooseMirror();
    m_language.fill();

    SettingsFolder = m_services.settingsFolder;
    TempFolder = m_services.tempFolder;
    m_options->ReadAtStartup();

    ApplyLanguage(CurrentLanguage());
    m_proxy->ReadAtStartup();

    m_mirrors->StartAccess();
}

void TFrm_Sintonia::Esci2Click()
{
    // Ends the loop without a close query: exit() closes no window, unlike quit().
    QCoreApplication::exit(0);
}

void TFrm_Sintonia::SystemMenuSiteClick()
{
    // Failures to open the site are not reported.
    m_services.shell->open(QStringLiteral("http://") + m_mirrors->endpoints().mainSite);
}

void TFrm_Sintonia::closeEvent(QCloseEvent *event)
{
    // The close query asks no question; it and the close both clear the notice.
    m_playback->NowPlayingNotice(false, true);
    event->accept();
    m_playback->NowPlayingNotice(false, true);
    QCoreApplication::exit(0);
}

void TFrm_Sintonia::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    centreOnScreen(this);
}

bool TFrm_Sintonia::event(QEvent *event)
{
    const bool result = QMainWindow::event(event);
    if (event->type() == QEvent::Paint || event->type() == QEvent::UpdateRequest) {
        if (!m_paintedOnce) {
            m_paintedOnce = true;
            emit firstShown();
        }
    }
    return result;
}
