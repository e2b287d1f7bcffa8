#pragma once

#include <QObject>
#include <QRect>
#include <QString>

#include <array>
#include <functional>

class LanguageTextSource;
class QTabWidget;
class QWidget;
class WebPane;

// The web sections of the listening area: when the user switches pages, which section
// pane is loaded, which is parked on a blank page and brought back from its history, and
// when the banner strip shows; the loading labels of the panes; the location rules of the
// forum and holiday panes.
class PageSwitch final : public QObject
{
    Q_OBJECT

public:
    enum Section { Video, Forum, Hotel, Community, New, SectionCount };

    struct Setup
    {
        QWidget *pnlTv = nullptr;
        QTabWidget *pnlAscolta = nullptr;
        std::function<WebPane *(const QString &)> pane;
        std::function<bool()> stationStarted;
        std::function<QString()> serverRoot;
        // The listening area with and without the banner strip under it.
        std::function<QRect(bool withBanner)> bounds;
        QString productSite; // host[:port] of the product's web site
        QString mainSite;
        QString secondSite;
        const LanguageTextSource *texts = nullptr;
    };

    explicit PageSwitch(Setup setup, QObject *parent = nullptr);

    void Pnl_AscoltaChange();
    void WB_ForumTitleChange();
    void WB_HotelTitleChange();

    bool loaded(Section s) const { return m_marks[s].loaded; }
    bool blanked(Section s) const { return m_marks[s].blanked; }
    QString address(Section s) const;

private:
    struct Mark
    {
        bool loaded = false;
        bool blanked = false;
        bool firstLoad = false;  // its page is still loading for the first time
        bool parkLater = false;  // parked once that load is done
    };

    WebPane *paneOf(Section s) const;
    void applyLayout(bool withBanner);
    void load(Section s);
    void blank(Section s);
    void restore(Section s);
    void watchLoading(const char *pane, const char *label);
    void firstLoadDone(Section s);

    Setup m_setup;
    std::array<Mark, SectionCount> m_marks;
};
