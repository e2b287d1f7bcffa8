// The page switch of the listening area with fake panes: which section panes are loaded,
// parked on the blank page and brought back, in what order, and the layouts before and
// after a station played.
#include "windowrig.h"

#include "playback/playback.h"
#include "web/pageswitch.h"

#include <QLabel>
#include <QRandomGenerator>
#include <QTabWidget>
#include <QTest>

namespace {

const QString Community = QStringLiteral("WB_Community: http://127.0.0.1:47810/plugin/fb/");
const QString New = QStringLiteral("WB_New: http://127.0.0.1:47810/plugin/news/");
const QString Banner = QStringLiteral("WebBrowser2: http://127.0.0.1:47801/Radio/radio.asp?dettaglio=25&Radio=0");
const QString Video = QStringLiteral("WB_Video: http://127.0.0.1:47801/Radio/Video.asp");

// Only what the section panes and the banner pane were asked.
QStringList sectionJournal(const QStringList &journal)
{
    QStringList out;
    for (const QString &line : journal)
        if (line.startsWith(QLatin1String("WB_")) || line.startsWith(QLatin1String("WebBrowser2")))
            out << line;
    return out;
}

} // namespace

class TestPageSwitch : public QObject
{
    Q_OBJECT

    static void finishLoads(WindowRig &rig)
    {
        for (const char *name : {"WB_Video", "WB_Forum", "WB_Hotel", "WB_Community", "WB_New"})
            if (rig.pane(name)->busy())
                rig.pane(name)->emitProgress(WebPane::ProgressMax);
    }

private slots:
    // The first switch fetches both pages; one that is to be parked at once is parked when
    // its page has arrived, so one step back finds it later.
    void aPaneParkedWhileLoadingIsParkedWhenItsPageArrives()
    {
        WindowRig rig;
        rig.main()->Pnl_Ascolta()->setCurrentIndex(5);
        rig.panes.journal.clear();
        rig.pane("WB_New")->emitProgress(WebPane::ProgressMax);
        QCOMPARE(rig.panes.journal, QStringList{"WB_New: about:blank"});
        rig.pane("WB_New")->emitProgress(WebPane::ProgressMax);
        rig.panes.journal.clear();
        rig.main()->Pnl_Ascolta()->setCurrentIndex(6);
        QCOMPARE(sectionJournal(rig.panes.journal), (QStringList{Banner, "WB_New: back"}));
        QCOMPARE(rig.pane("WB_New")->locationUrl(), rig.main()->pageSwitch().address(PageSwitch::New));
    }

    // Switched away and back before its page arrived: it simply stays on its page.
    void aPaneBackBeforeItsPageArrivedStaysOnIt()
    {
        WindowRig rig;
        rig.main()->Pnl_Ascolta()->setCurrentIndex(5);
        rig.main()->Pnl_Ascolta()->setCurrentIndex(6);
        rig.panes.journal.clear();
        rig.pane("WB_New")->emitProgress(WebPane::ProgressMax);
        QVERIFY(rig.panes.journal.isEmpty());
        QCOMPARE(rig.pane("WB_New")->locationUrl(), rig.main()->pageSwitch().address(PageSwitch::New));
    }

    void switches_data()
    {
        QTest::addColumn<QList<int>>("pages");
        QTest::addColumn<QStringList>("lastSwitch"); // what the last switch asked of the panes
        QTest::addColumn<bool>("banner");            // the banner strip after it

        QTest::newRow("first to recording") << QList<int>{1} << QStringList{Community, New} << false;
        // A pane still loading its page is parked once the page is there (see below).
        QTest::newRow("first to community") << QList<int>{5} << QStringList{Community, New, Banner} << true;
        QTest::newRow("first to video") << QList<int>{2} << QStringList{Community, New, Banner, Video} << true;
        QTest::newRow("back to listening parks community")
            << QList<int>{5, 0} << QStringList{"WB_Community: about:blank"} << false;
        QTest::newRow("community again comes back once")
            << QList<int>{5, 0, 5} << QStringList{Banner, "WB_Community: back"} << true;
        QTest::newRow("community to new leaves community on its page")
            << QList<int>{5, 6} << QStringList{Banner, "WB_New: back"} << true;
        QTest::newRow("sudoku parks community, not new")
            << QList<int>{6, 8} << QStringList{Banner, "WB_Community: about:blank"} << true;
        QTest::newRow("parked twice, brought back to its page")
            << QList<int>{5, 0, 8, 5} << QStringList{Banner, "WB_Community: back"} << true;
        QTest::newRow("recording changes no pane") << QList<int>{5, 1} << QStringList{} << false;
    }

    void switches()
    {
        QFETCH(QList<int>, pages);
        QFETCH(QStringList, lastSwitch);
        QFETCH(bool, banner);
        WindowRig rig;
        QTabWidget *tabs = rig.main()->Pnl_Ascolta();
        for (int i = 0; i < pages.size(); ++i) {
            if (i == pages.size() - 1)
                rig.panes.journal.clear();
            tabs->setCurrentIndex(pages[i]);
            // Pages load between the user's switches, except after the last one.
            if (i < pages.size() - 1)
                finishLoads(rig);
        }
        QCOMPARE(sectionJournal(rig.panes.journal), lastSwitch);
        QCOMPARE(!rig.find<QWidget>(QStringLiteral("Panel1"))->isHidden(), banner);
        QCOMPARE(tabs->geometry(), banner ? QRect(1, 1, 559, 392) : QRect(1, 1, 559, 459));
        // Once the pages are there, the community pane is parked exactly when it is marked so.
        finishLoads(rig);
        const PageSwitch &sw = rig.main()->pageSwitch();
        QCOMPARE(rig.pane("WB_Community")->locationUrl() == QLatin1String("about:blank"),
                 sw.blanked(PageSwitch::Community));
    }

    void afterAStationThePageSwitchLeavesTheLayout()
    {
        WindowRig rig;
        rig.main()->playback().PlayStationById(5);
        const QRect playing = rig.main()->Pnl_Ascolta()->geometry();
        rig.panes.journal.clear();
        rig.main()->Pnl_Ascolta()->setCurrentIndex(5);
        QCOMPARE(rig.main()->Pnl_Ascolta()->geometry(), playing);
        QVERIFY(!sectionJournal(rig.panes.journal).contains(Banner));
        rig.main()->Pnl_Ascolta()->setCurrentIndex(1);
        QCOMPARE(rig.main()->Pnl_Ascolta()->geometry(), playing);
    }

    // Many switches with pages still loading: the marks and the panes agree at the end.
    void manyFastSwitchesLeaveMarksAndPanesAgreeing()
    {
        WindowRig rig;
        QTabWidget *tabs = rig.main()->Pnl_Ascolta();
        const int visible[] = {0, 1, 5, 6, 8};
        QRandomGenerator random(7);
        for (int i = 0; i < 200; ++i) {
            tabs->setCurrentIndex(visible[random.bounded(5)]);
            if (random.bounded(2))
                finishLoads(rig);
        }
        finishLoads(rig);
        const PageSwitch &sw = rig.main()->pageSwitch();
        const struct { PageSwitch::Section section; const char *pane; } sections[] = {
            {PageSwitch::Community, "WB_Community"}, {PageSwitch::New, "WB_New"}};
        for (const auto &s : sections) {
            QVERIFY(sw.loaded(s.section));
            const QString location = rig.pane(s.pane)->locationUrl();
            QCOMPARE(location == QLatin1String("about:blank"), sw.blanked(s.section));
            if (!sw.blanked(s.section))
                QCOMPARE(location, sw.address(s.section));
        }
    }

    void loadingLabelsFollowProgress()
    {
        WindowRig rig;
        auto *label = rig.find<QLabel>(QStringLiteral("Lbl_CaricamentoCommunity"));
        rig.pane("WB_Community")->emitProgress(40);
        QVERIFY(!label->isHidden());
        QCOMPARE(label->text(), QStringLiteral("Caricamento in corso"));
        rig.pane("WB_Community")->emitProgress(100);
        QVERIFY(label->isHidden());
        rig.pane("Wb_Catalogo")->emitProgress(0);
        QVERIFY(!rig.find<QLabel>(QStringLiteral("Lbl_caricamentoCatalogo"))->isHidden());
    }

    void locationRules()
    {
        WindowRig rig;
        FakeWebPane *forum = rig.pane("WB_Forum");
        forum->setLocation(QStringLiteral("HTTP://127.0.0.1:47812/altro"));
        forum->emitTitle(QStringLiteral("x"));
        QCOMPARE(forum->navigations(), QStringList{"http://127.0.0.1:47811/Forum"});
        forum->setLocation(QStringLiteral("about:blank"));
        forum->emitTitle(QStringLiteral("y"));
        QCOMPARE(forum->navigations().size(), 1);

        FakeWebPane *hotel = rig.pane("WB_Hotel");
        hotel->setLocation(QStringLiteral("http://elsewhere.example/"));
        hotel->emitTitle(QStringLiteral("x"));
        QCOMPARE(hotel->navigations(), QStringList{"http://127.0.0.1:47810/plugin/vacanze/"});
        // Its own page does not bring itself back again.
        hotel->emitTitle(QStringLiteral("Vacanze"));
        QCOMPARE(hotel->navigations().size(), 1);
    }
};

QTEST_MAIN(TestPageSwitch)
#include "test_pageswitch.moc"
