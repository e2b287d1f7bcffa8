#include "playback/playback.h"

#include "platform/dialogs.h"
#include "platform/languagetext.h"
#include "platform/notice.h"
#include "platform/noticesink.h"
#include "platform/webpane.h"
#include "service/catalogue.h"
#include "service/mirrors.h"
#include "service/serveraddress.h"
#include "service/webaddress.h"

#include <QLabel>
#include <QTabWidget>
#include <QUrl>

Playback::Playback(const PlaybackWidgets &widgets, const Mirrors &mirrors, const CatalogueStore &catalogue,
                   const LanguageTextSource &texts, Dialogs &dialogs, NoticeSink &notices, QString creditLine,
                   QObject *parent)
    : QObject(parent)
    , m_w(widgets)
    , m_mirrors(mirrors)
    , m_catalogue(catalogue)
    , m_texts(texts)
    , m_dialogs(dialogs)
    , m_notices(notices)
    , m_creditLine(std::move(creditLine))
{
    m_reload.setObjectName(QStringLiteral("aggiornaTimer"));
    m_reload.setSingleShot(true);
    m_reload.setInterval(ReloadDelayMs);
    connect(&m_reload, &QTimer::timeout, this, &Playback::aggiornaTimerTimer);
    if (m_w.wbRadio) {
        connect(m_w.wbRadio, &WebPane::progressChange, this, &Playback::Wb_RadioProgressChange);
        connect(m_w.wbRadio, &WebPane::titleChange, this, &Playback::Wb_RadioTitleChange);
    }
    if (m_w.sponsor)
        connect(m_w.sponsor, &WebPane::titleChange, this, &Playback::WB_SponsorAggiuntiviTitleChange);
}

QString Playback::addressOf(int list, int slot) const
{
    if (list == 1) {
        const QString root = m_mirrors.ServerRoot();
        switch (slot) {
        case 16: return root + QStringLiteral("/Radio/ricercaRadio.asp");
        case 17: return root + QStringLiteral("/Radio/elencoAltre.asp");
        case 18: return root + QStringLiteral("/radio/SegnalaIndirizzo.asp");
        default: break;
        }
    }
    const CatalogueEntry *entry = m_catalogue.slot(list, slot);
    return entry ? entry->Url : QString();
}

bool Playback::playable(int list, int slot) const
{
    // An empty address is loaded as it is; an address that is not a web page (a
    // "javascript:" or "file:" address sent by the server) is never loaded.
    const QString address = addressOf(list, slot);
    return address.isEmpty() || WebAddress::isWebPage(address);
}

void Playback::loadBanner()
{
    if (m_w.webBrowser2)
        m_w.webBrowser2->navigate(ServerAddress::banner(m_mirrors.ServerRoot()));
}

void Playback::loadSponsorForGenericEdition()
{
    if (ServerAddress::CustomisationValue == 0 && m_w.sponsor)
        m_w.sponsor->navigate(m_mirrors.ServerRoot() + QStringLiteral("/Radio/SponsorAggiuntivi.asp"));
}

void Playback::RowClick(int list, int slot)
{
    if ((list != 1 && list != 3) || !playable(list, slot))
        return;
    ShowPlaybackPanes();
    loadBanner();
    loadSponsorForGenericEdition();
    PlayListStation(list, slot, true);
    emit played(PlayRequest::of(PlayRequest::Way::Row, list, slot));
}

void Playback::TrayEntryClick(int list, int slot)
{
    if ((list != 1 && list != 3) || !playable(list, slot))
        return;
    // The most-clicked entries leave the loading line as it is.
    ShowPlaybackPanes(list == 3);
    PlayListStation(list, slot, list == 3);
    emit played(PlayRequest::of(PlayRequest::Way::TrayEntry, list, slot));
}

void Playback::ShowPlaybackPanes(bool withLoadingLine)
{
    if (withLoadingLine && m_w.loadingLine)
        m_w.loadingLine->setText(m_texts.LanguageText(60));
    const auto showInFront = [](QWidget *widget) {
        if (widget) {
            widget->setVisible(true);
            widget->raise();
        }
    };
    showInFront(m_w.wbRadio ? m_w.wbRadio->widget() : nullptr);
    showInFront(m_w.webBrowser2 ? m_w.webBrowser2->widget() : nullptr);
    showInFront(m_w.pnlAscolta);
    showInFront(m_w.panel1);
    m_stationStarted = true;
}

void Playback::PlayListStation(int list, int slot, bool focus)
{
    const bool listOne = list == 1 && slot >= 1 && slot <= 18;
    const bool listThree = list == 3 && slot >= 1 && slot <= CatalogueStore::Slots;
    if (!listOne && !listThree)
        return;
    if (m_w.pnlAscolta)
        m_w.pnlAscolta->setCurrentIndex(0);
    if (m_w.wbRadio)
        m_w.wbRadio->navigate(addressOf(list, slot));
    if (focus && m_w.wbRadio && m_w.pnlTv && m_w.pnlTv->isVisible() && m_w.pnlAscolta
        && m_w.pnlAscolta->currentIndex() == 0)
        m_w.wbRadio->widget()->setFocus();
    if (m_w.pnlAscolta)
        m_w.pnlAscolta->setGeometry(m_playingBounds);
    m_nowPlayingCode = list == 1 ? slot : 40 + slot;
    loadBanner();
}

void Playback::PlayStationById(int stationId)
{
    if (stationId == 0)
        return;
    ShowPlaybackPanes();
    if (m_w.pnlAscolta)
        m_w.pnlAscolta->setCurrentIndex(0);
    if (m_w.wbRadio)
        m_w.wbRadio->navigate(ServerAddress::stationById(m_mirrors.ServerRoot(), stationId));
    loadBanner();
    loadSponsorForGenericEdition();
    if (m_w.pnlAscolta)
        m_w.pnlAscolta->setGeometry(m_playingBounds);
    PlayRequest request = PlayRequest::of(PlayRequest::Way::ById);
    request.stationId = stationId;
    request.code = m_nowPlayingCode;
    request.scheduledName = m_inputs.scheduledName;
    emit played(request);
}

void Playback::OpenServerSection(int section)
{
    if (section < 16 || section > 18)
        return;
    ShowPlaybackPanes();
    loadBanner();
    loadSponsorForGenericEdition();
    PlayListStation(1, section, true);
    emit played(PlayRequest::of(PlayRequest::Way::Section, 1, section));
}

void Playback::OpenPersonalAddress()
{
    QString typed;
    if (!m_dialogs.input(m_w.mainWindow, m_texts.LanguageText(22), m_texts.LanguageText(23) + QLatin1Char(':'), typed))
        return;
    typed = typed.trimmed();
    if (typed.isEmpty())
        return;
    const QString address = WebAddress::fromTyped(typed);
    if (!WebAddress::isWebPage(address)) {
        m_dialogs.message(m_w.mainWindow, QStringLiteral("\"%1\" non è un indirizzo di un sito web.")
                                              .arg(NowPlaying::displayable(typed, 100)));
        return;
    }
    PlayAddress(address);
}

void Playback::PlayAddress(const QString &address)
{
    if (m_w.pnlAscolta)
        m_w.pnlAscolta->setGeometry(m_playingBounds);
    ShowPlaybackPanes();
    if (m_w.wbRadio)
        m_w.wbRadio->navigate(address);
    if (m_w.pnlTv && m_w.pnlTv->isVisible() && m_w.wbRadio)
        m_w.wbRadio->widget()->setFocus();
    m_nowPlayingCode = 19;
    loadBanner();
    loadSponsorForGenericEdition();
    PlayRequest request = PlayRequest::of(PlayRequest::Way::Address);
    request.address = address;
    emit played(request);
}

void Playback::Replay(const PlayRequest &request)
{
    switch (request.way) {
    case PlayRequest::Way::Row: RowClick(request.list, request.slot); break;
    case PlayRequest::Way::TrayEntry: TrayEntryClick(request.list, request.slot); break;
    case PlayRequest::Way::ById:
        if (request.stationId == 0)
            return;
        m_nowPlayingCode = request.code;
        if (request.code == 20)
            m_inputs.scheduledName = request.scheduledName;
        PlayStationById(request.stationId);
        break;
    case PlayRequest::Way::Section: OpenServerSection(request.slot); break;
    case PlayRequest::Way::Address:
        if (WebAddress::isWebPage(request.address))
            PlayAddress(request.address);
        break;
    case PlayRequest::Way::None: break;
    }
}

void Playback::Silence()
{
    m_nowPlayingCode = -1;
    m_reload.stop();
    if (m_w.wbRadio)
        m_w.wbRadio->navigate(QStringLiteral("about:blank"));
}

void Playback::setPersonalName(int k, const QString &name)
{
    if (k >= 1 && k <= 15)
        m_inputs.personalNames[static_cast<size_t>(k)] = name;
}

void Playback::setStartupStation(int id, const QString &name, bool playTicked)
{
    m_inputs.startupStationId = id;
    m_inputs.startupStationName = name;
    m_inputs.startupPlayTicked = playTicked;
}

NowPlayingInputs Playback::inputs() const
{
    NowPlayingInputs in = m_inputs;
    in.code = m_nowPlayingCode;
    in.catalogue = &m_catalogue;
    in.texts = &m_texts;
    in.announcedName = m_announcedName;
    return in;
}

void Playback::setHint(const QString &hint)
{
    m_hint = hint;
    emit hintChanged(hint);
}

void Playback::Wb_RadioProgressChange(int progress, int progressMax)
{
    if (m_w.loadingLine)
        m_w.loadingLine->setText(m_texts.LanguageText(60));
    if (progress != progressMax) {
        if (m_w.loadingLine)
            m_w.loadingLine->show();
        return;
    }
    if (m_w.loadingLine)
        m_w.loadingLine->hide();
    NowPlayingNotice(m_messengerOption, false);
    if (m_w.loadingLine)
        m_w.loadingLine->clear();
    const QString name = NowPlaying::hintName(inputs());
    if (name.isEmpty()) {
        setHint(QString());
        return;
    }
    const QString hint = m_texts.LanguageText(63) + QStringLiteral(": \"") + NowPlaying::displayable(name)
        + QLatin1Char('"');
    setHint(hint);
    auto *strip = m_w.mainWindow ? m_w.mainWindow->findChild<QWidget *>(QStringLiteral("Pnl_Ridotto")) : nullptr;
    if (strip && strip->isVisible())
        m_w.mainWindow->setWindowTitle(hint);
}

void Playback::Wb_RadioTitleChange(const QString &title)
{
    if (title.compare(QLatin1String("caricamento"), Qt::CaseInsensitive) != 0)
        m_reload.stop();
    else if (!m_reload.isActive())
        m_reload.start(); // an armed reload keeps running: a page that repeats the title is still reloaded
    if (title.size() > 7 && title.left(7).toUpper() == QLatin1String("RADIO:-")) {
        m_announcedName = title.mid(7);
        m_nowPlayingCode = 18;
        NowPlayingNotice(m_messengerOption, false);
    }
}

void Playback::aggiornaTimerTimer()
{
    m_reload.stop();
    if (m_w.wbRadio)
        m_w.wbRadio->refresh();
}

void Playback::WB_SponsorAggiuntiviTitleChange(const QString &title)
{
    if (!m_w.mainWindow)
        return;
    const QString versioned = QStringLiteral("Sintonia by Ventaglio - \"Versione 4.5\"");
    if (m_catalogue.PartnerName.size() < 2)
        m_w.mainWindow->setWindowTitle(versioned);
    else if (m_w.mainWindow->windowTitle() == versioned)
        m_w.mainWindow->setWindowTitle(QStringLiteral("Sintonia for ") + NowPlaying::displayable(title));
}

void Playback::NowPlayingNotice(bool show, bool force)
{
    const QString title = show ? NowPlaying::noticeTitle(inputs()) : QString();
    if (title.isEmpty() && !force)
        return;
    m_notices.deliver(Notice::record(show, title, m_creditLine));
}
