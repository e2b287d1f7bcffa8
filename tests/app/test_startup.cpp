// The eight windows, the main window's regions and its start-up sequence, with fake panes.
#include "app/browserkeyfilter.h"
#include "app/frm_sintonia.h"
#include "app/windows.h"
#include "windowrig.h"
#include "playback/playback.h"
#include "platform/fakes/fakeplatform.h"
#include "platform/fakes/fakewebpane.h"
#include "service/mirrors.h"
#include "service/serveraddress.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

struct Rig : WindowRig
{
    explicit Rig(int startMirror, const QStringList &serverLines = {})
        : WindowRig(startMirror, serverLines, QStringLiteral("/tmp/"))
    {
    }
};

// Runs the event loop until `action` ends it, or fails after five seconds.
bool loopEndsAfter(const std::function<void()> &action)
{
    bool ended = true;
    QTimer::singleShot(0, action);
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [&ended] {
        ended = false;
        QCoreApplication::exit(1);
    });
    guard.start(5000);
    return QApplication::exec() == 0 && ended;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void eightWindowsInOrder()
    {
        Rig rig(1);
        const std::vector<QWidget *> &all = rig.windows->all();
        const QList<QStringList> expected{
            {"TFrm_Sintonia", "Frm_Sintonia", "Sintonia by Ventaglio"},
            {"TFrm_News", "Frm_News", ""},
            {"TFrm_GestioneNews", "Frm_GestioneNews", "Gestione news"},
            {"TFrm_GestioneOpzioni", "Frm_GestioneOpzioni", "Opzioni Sintonia"},
            {"TFrm_RadioProgrammata", "Frm_RadioProgrammata", "Selezione radio personale"},
            {"TFrm_About", "Frm_About", "About - Sintonia by Ventaglio"},
            {"TFrm_GoogleFinder", "Frm_GoogleFinder", "Ricerca con Google"},
            {"TFrm_RadioPersonale", "Frm_RadioPersonale", "Selezione radio personale"},
        };
        QCOMPARE(all.size(), size_t(8));
        for (size_t i = 0; i < all.size(); ++i) {
            QCOMPARE(QString::fromLatin1(all[i]->metaObject()->className()), expected[int(i)][0]);
            QCOMPARE(all[i]->objectName(), expected[int(i)][1]);
            QCOMPARE(all[i]->windowTitle(), expected[int(i)][2]);
            QVERIFY(all[i]->isWindow());
            QVERIFY(!all[i]->isVisible());
        }
        QVERIFY(all[1]->windowFlags() & Qt::FramelessWindowHint);
        QVERIFY(all[3]->windowFlags() & Qt::FramelessWindowHint);
    }

    void mainWindowShapeAndRegions()
    {
        Rig rig(1);
        TFrm_Sintonia *w = rig.main();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(rig.find<QWidget>(QStringLiteral("Pnl_Tv"))->size(), QSize(716, 477));
        QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
        QCOMPARE(w->minimumSize(), w->maximumSize());
        QCOMPARE(w->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(w->font().pixelSize(), 11);

        const QList<std::pair<QString, QRect>> regions{
            {"Sfondo", QRect(0, 14, 560, 463)},
            {"Pnl_Ascolta", QRect(1, 1, 559, 459)},
            {"Panel1", QRect(1, 407, 559, 70)},
            {"Panel2", QRect(1, 1, 557, 68)},
            {"WebBrowser3", QRect(40, 47, 465, 33)},
            {"Img_Server1", QRect(561, 51, 7, 7)},
            {"Img_Server6", QRect(596, 51, 7, 7)},
            {"Img_Server0", QRect(604, 51, 7, 7)},
        };
        for (const auto &[name, rect] : regions) {
            QWidget *region = rig.find<QWidget>(name);
            QVERIFY2(region, qPrintable(name));
            QCOMPARE(region->geometry(), rect);
        }
        QVERIFY(!rig.find<QWidget>(QStringLiteral("Img_ServerOn"))->isVisible());
        QVERIFY(!rig.find<QWidget>(QStringLiteral("Img_ServerOff"))->isVisible());
        // The listening area lies above the banner strip and the catalogue pane.
        QWidget *pnlTv = rig.find<QWidget>(QStringLiteral("Pnl_Tv"));
        const QObjectList order = pnlTv->children();
        QVERIFY(order.indexOf(rig.find<QWidget>(QStringLiteral("Sfondo")))
                > order.indexOf(rig.find<QWidget>(QStringLiteral("Panel1"))));
    }

    void listeningAreaPages()
    {
        Rig rig(1);
        QTabWidget *pages = rig.main()->Pnl_Ascolta();
        QCOMPARE(pages->count(), 9);
        const QStringList names{"TabSheet3", "TabSheet4", "Tb_Video", "Tbl_Forum", "Tbl_Hotel",
                                "Tb_Community", "Tb_New", "Tb_Catalogo", "Tb_Sudoku"};
        const QList<bool> visible{true, true, false, false, false, true, true, false, true};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(pages->widget(i)->objectName(), names[i]);
            QCOMPARE(pages->isTabVisible(i), visible[i]);
        }
        QCOMPARE(pages->currentIndex(), 0);
        QCOMPARE(pages->tabText(0), QStringLiteral("Radio - Web Site"));
        QCOMPARE(pages->tabText(6), QString::fromUtf8("Novità software"));
        // The home pane covers the listening pane at start.
        const QObjectList onPage = pages->widget(0)->children();
        QVERIFY(onPage.indexOf(rig.find<QWidget>(QStringLiteral("WB_Principale")))
                > onPage.indexOf(rig.find<QWidget>(QStringLiteral("Wb_Radio"))));
    }

    void startUpLoadsAccessAndCatalogueFromChosenMirror()
    {
        Rig rig(4);
        QCOMPARE(rig.main()->mirrors().MirrorIndex(), 4);
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Img_Server4"))->property("lit").toBool(), true);
        const QString root = QStringLiteral("http://127.0.0.1:47804");
        QCOMPARE(rig.panes.pane(QStringLiteral("WB_Principale"))->navigations(),
                 QStringList{ServerAddress::access(root)});
        QCOMPARE(rig.panes.pane(QStringLiteral("WebBrowser3"))->navigations(),
                 QStringList{ServerAddress::catalogue(root)});
        QVERIFY(rig.panes.pane(QStringLiteral("Wb_Radio"))->navigations().isEmpty());
        QVERIFY(rig.panes.pane(QStringLiteral("WebBrowser2"))->navigations().isEmpty());
        QCOMPARE(rig.main()->CurrentLanguage(), 1);
        QCOMPARE(rig.main()->playback().StationStarted(), false);
        QCOMPARE(rig.main()->TempFolder, QStringLiteral("/tmp/"));
    }

    void serverFileNamesTheMirrors()
    {
        Rig rig(2, {QStringLiteral("uno.example"), QStringLiteral("due.example:8080")});
        QCOMPARE(rig.main()->mirrors().ServerRoot(), QStringLiteral("http://due.example:8080"));
        QCOMPARE(rig.panes.pane(QStringLiteral("WB_Principale"))->navigations(),
                 QStringList{ServerAddress::access(QStringLiteral("http://due.example:8080"))});
    }

    void keyFilterPicksThePaneOfThePageShown()
    {
        Rig rig(1);
        const QStringList expected{"Wb_Radio", "", "WB_Video", "WB_Forum", "WB_Hotel",
                                   "WB_Community", "WB_New", "Wb_Catalogo", ""};
        BrowserKeyFilter *filter = rig.main()->keyFilter();
        QTabWidget *pages = rig.main()->Pnl_Ascolta();
        for (int page = 0; page < 9; ++page) {
            pages->setCurrentIndex(page);
            WebPane *pane = filter->currentPane();
            QCOMPARE(pane ? pane->objectName() : QString(), expected[page]);
        }
        rig.main()->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.main()));
        QWidget *radio = rig.find<QWidget>(QStringLiteral("Wb_Radio"));
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
        pages->setCurrentIndex(0);
        QCoreApplication::sendEvent(radio, &key);
        QVERIFY(filter->lastHandled());
        pages->setCurrentIndex(8);
        QKeyEvent onSudoku(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
        QCoreApplication::sendEvent(pages->widget(8), &onSudoku);
        QVERIFY(!filter->lastHandled());
    }

    void siteEntryOpensTheMakersSite()
    {
        Rig rig(1);
        QMenu *help = rig.find<QMenu>(QStringLiteral("Help1"));
        QVERIFY(help);
        const QList<QAction *> actions = help->actions();
        QVERIFY(actions.size() >= 2);
        QVERIFY(actions.at(actions.size() - 2)->isSeparator());
        QCOMPARE(actions.last()->text(), QStringLiteral("http://127.0.0.1:47811"));
        actions.last()->trigger();
        QCOMPARE(rig.shell.opened, QStringList{QStringLiteral("http://127.0.0.1:47811")});
    }

    void esciEndsTheLoopWithoutCloseQuery()
    {
        Rig rig(1);
        rig.main()->show();
        QAction *esci = rig.find<QAction>(QStringLiteral("Esci2"));
        QVERIFY(esci);
        QVERIFY(loopEndsAfter([esci] { esci->trigger(); }));
        QVERIFY(rig.main()->isVisible());
    }

    void closeBoxEndsTheLoopWithoutAQuestion()
    {
        Rig rig(1);
        rig.main()->show();
        TFrm_Sintonia *w = rig.main();
        QVERIFY(loopEndsAfter([w] { w->close(); }));
        QVERIFY(!w->isVisible());
        QVERIFY(rig.dialogs.questions.isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
