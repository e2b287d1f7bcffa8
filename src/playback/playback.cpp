#include "playback/playback.h"

#include "platform/languagetext.h"
#include "platform/webpane.h"
#include "service/catalogue.h"
#include "service/mirrors.h"
#include "service/serveraddress.h"
#include "service/webaddress.h"

#include <QLabel>
#include <QTabWidget>

namespace {
constexpr QRect PlayingBounds(1, 1, 559, 392);
}

Playback::Playback(const PlaybackWidgets &widgets, const Mirrors &mirrors, const CatalogueStore &catalogue,
                   const LanguageTextSource &texts, QObject *parent)
    : QObject(parent)
    , m_w(widgets)
    , m_mirrors(mirrors)
    , m_catalogue(catalogue)
    , m_texts(texts)
{
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
}

void Playback::TrayEntryClick(int list, int slot)
{
    if ((list != 1 && list != 3) || !playable(list, slot))
        return;
    // The most-clicked entries leave the loading line as it is.
    ShowPlaybackPanes(list == 3);
    PlayListStation(list, slot, list == 3);
}

void Playback::ShowPlaybackPanes(bool withLoadingLine)
{
    if (withLoadingLine && m_w.loadingLine)
        m_w.loadingLine->setText(m_texts.LanguageText(60));
    if (m_w.wbRadio) {
        m_w.wbRadio->widget()->setVisible(true);
        m_w.wbRadio->widget()->raise();
    }
    if (m_w.webBrowser2) {
        m_w.webBrowser2->widget()->setVisible(true);
        m_w.webBrowser2->widget()->raise();
    }
    if (m_w.pnlAscolta) {
        m_w.pnlAscolta->setVisible(true);
        m_w.pnlAscolta->raise();
    }
    if (m_w.panel1) {
        m_w.panel1->setVisible(true);
        m_w.panel1->raise();
    }
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
        m_w.pnlAscolta->setGeometry(PlayingBounds);
    m_nowPlayingCode = list == 1 ? slot : 40 + slot;
    loadBanner();
}
