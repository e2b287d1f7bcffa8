#include "web/pageswitch.h"

#include "platform/languagetext.h"
#include "platform/webpane.h"
#include "service/serveraddress.h"

#include <QLabel>
#include <QTabWidget>

namespace {

constexpr char BlankPage[] = "about:blank";

struct Row
{
    bool banner;
    std::array<int, 5> blanked; // sections in order, -1 ends the list
    int load;                   // a section, or -1
    int restore;                // a section, or -1
};

// By page of the listening area: the banner step, the panes parked in this order, the
// pane loaded, the pane brought back.
Row rowFor(int page)
{
    using S = PageSwitch::Section;
    switch (page) {
    case 0: return {false, {S::Forum, S::Hotel, S::Video, S::Community, S::New}, -1, -1};
    case 2: return {true, {S::Forum, S::Hotel, S::Community, S::New, -1}, S::Video, S::Video};
    case 3: return {false, {S::Hotel, S::Video, S::Community, S::New, -1}, S::Forum, S::Forum};
    case 4: return {false, {S::Forum, S::Video, S::Community, S::New, -1}, S::Hotel, S::Hotel};
    case 5: return {true, {S::Forum, S::Hotel, S::Video, S::New, -1}, -1, S::Community};
    case 6: return {true, {S::Forum, S::Hotel, S::Video, -1, -1}, -1, S::New};
    case 8: return {true, {S::Forum, S::Hotel, S::Community, S::Video, -1}, -1, -1};
    default: return {false, {-1, -1, -1, -1, -1}, -1, -1}; // the recording and catalogue pages
    }
}

constexpr const char *PaneNames[] = {"WB_Video", "WB_Forum", "WB_Hotel", "WB_Community", "WB_New"};

// Whether `location` begins with the root of `host`, whatever the letter case.
bool beginsWithRoot(const QString &location, const QString &host)
{
    const QString root = QStringLiteral("http://") + host;
    return location.left(root.size()).compare(root, Qt::CaseInsensitive) == 0;
}

} // namespace

PageSwitch::PageSwitch(Setup setup, QObject *parent)
    : QObject(parent)
    , m_setup(std::move(setup))
{
    const struct { const char *pane; const char *label; } labels[] = {
        {"WB_Video", "Lbl_CaricamentoVideo"},         {"WB_Forum", "Lbl_CaricamentoForum"},
        {"WB_Hotel", "Lbl_CaricamentoHotel"},         {"WB_Community", "Lbl_CaricamentoCommunity"},
        {"WB_New", "Lbl_CaricamentoNew"},             {"Wb_Catalogo", "Lbl_caricamentoCatalogo"}};
    for (const auto &l : labels)
        watchLoading(l.pane, l.label);
    for (int s = 0; s < SectionCount; ++s) {
        if (WebPane *pane = paneOf(Section(s)))
            connect(pane, &WebPane::progressChange, this, [this, s](int progress, int progressMax) {
                if (progress >= progressMax)
                    firstLoadDone(Section(s));
            });
    }
    if (WebPane *forum = paneOf(Forum))
        connect(forum, &WebPane::titleChange, this, &PageSwitch::WB_ForumTitleChange);
    if (WebPane *hotel = paneOf(Hotel))
        connect(hotel, &WebPane::titleChange, this, &PageSwitch::WB_HotelTitleChange);
}

void PageSwitch::watchLoading(const char *paneName, const char *labelName)
{
    WebPane *pane = m_setup.pane(QLatin1String(paneName));
    auto *label = m_setup.pnlTv->findChild<QLabel *>(QLatin1String(labelName));
    if (!pane || !label)
        return;
    connect(pane, &WebPane::progressChange, label, [this, label](int progress, int progressMax) {
        if (progress < progressMax) {
            label->setText(m_setup.texts->LanguageText(60));
            label->show();
        } else {
            label->hide();
        }
    });
}

WebPane *PageSwitch::paneOf(Section s) const
{
    return m_setup.pane(QLatin1String(PaneNames[s]));
}

QString PageSwitch::address(Section s) const
{
    switch (s) {
    case Video: return m_setup.serverRoot() + QStringLiteral("/Radio/Video.asp");
    case Forum: return QStringLiteral("http://") + m_setup.mainSite + QStringLiteral("/Forum");
    case Hotel: return QStringLiteral("http://") + m_setup.productSite + QStringLiteral("/plugin/vacanze/");
    case Community: return QStringLiteral("http://") + m_setup.productSite + QStringLiteral("/plugin/fb/");
    case New: return QStringLiteral("http://") + m_setup.productSite + QStringLiteral("/plugin/news/");
    default: return {};
    }
}

void PageSwitch::applyLayout(bool withBanner)
{
    QWidget *banner = m_setup.pnlTv->findChild<QWidget *>(QStringLiteral("Panel1"));
    m_setup.pnlAscolta->setGeometry(m_setup.bounds(withBanner));
    m_setup.pnlAscolta->setVisible(true);
    m_setup.pnlAscolta->raise();
    if (!banner)
        return;
    banner->setVisible(withBanner);
    withBanner ? banner->raise() : banner->lower();
}

void PageSwitch::load(Section s)
{
    if (WebPane *pane = paneOf(s)) {
        pane->navigate(address(s));
        m_marks[s].loaded = true;
        m_marks[s].firstLoad = true;
    }
}

// A pane already parked stays as it is, so that one step back still finds its page; a
// pane still loading its page for the first time is parked once the page is there, so
// that the page is fetched and its history holds it.
void PageSwitch::blank(Section s)
{
    Mark &mark = m_marks[s];
    if (!mark.loaded || mark.blanked)
        return;
    mark.blanked = true;
    if (mark.firstLoad) {
        mark.parkLater = true;
        return;
    }
    if (WebPane *pane = paneOf(s))
        pane->navigate(QLatin1String(BlankPage));
}

void PageSwitch::firstLoadDone(Section s)
{
    Mark &mark = m_marks[s];
    if (!mark.firstLoad)
        return;
    mark.firstLoad = false;
    if (!mark.parkLater)
        return;
    mark.parkLater = false;
    if (WebPane *pane = paneOf(s))
        pane->navigate(QLatin1String(BlankPage));
}

void PageSwitch::restore(Section s)
{
    Mark &mark = m_marks[s];
    if (!mark.blanked)
        return;
    mark.blanked = false;
    if (mark.parkLater) {
        mark.parkLater = false; // its page is still coming: nothing to bring back
        return;
    }
    WebPane *pane = paneOf(s);
    // Without an earlier page in its history the pane loads its page again.
    if (pane && !pane->goBack())
        pane->navigate(address(s));
}

void PageSwitch::Pnl_AscoltaChange()
{
    const bool started = m_setup.stationStarted();
    if (!started)
        applyLayout(false);
    for (Section s : {Community, New}) {
        if (!m_marks[s].loaded)
            load(s);
    }
    const Row row = rowFor(m_setup.pnlAscolta->currentIndex());
    if (row.banner && !started) {
        applyLayout(true);
        if (WebPane *banner = m_setup.pane(QStringLiteral("WebBrowser2")))
            banner->navigate(ServerAddress::banner(m_setup.serverRoot()));
    }
    for (int s : row.blanked) {
        if (s < 0)
            break;
        blank(Section(s));
    }
    if (row.load >= 0 && !m_marks[row.load].loaded)
        load(Section(row.load));
    if (row.restore >= 0)
        restore(Section(row.restore));
}

void PageSwitch::WB_ForumTitleChange()
{
    WebPane *forum = paneOf(Forum);
    const QString location = forum->locationUrl();
    if (location != QLatin1String(BlankPage) && beginsWithRoot(location, m_setup.secondSite))
        forum->navigate(address(Forum));
}

// The holiday pane stays on the site of its own page.
void PageSwitch::WB_HotelTitleChange()
{
    WebPane *hotel = paneOf(Hotel);
    const QString location = hotel->locationUrl();
    if (location != QLatin1String(BlankPage) && !beginsWithRoot(location, m_setup.productSite))
        hotel->navigate(address(Hotel));
}
