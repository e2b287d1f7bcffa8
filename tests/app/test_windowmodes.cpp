// The compact strip, full screen and the tray, in the real main window (offscreen).
#include "windowrig.h"

#include "app/windowmodes.h"
#include "playback/playback.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>

namespace {

bool shown(WindowRig &rig, const char *name)
{
    if (auto *action = rig.find<QAction>(QLatin1String(name)))
        return action->isVisible();
    return !rig.find<QWidget>(QLatin1String(name))->isHidden();
}

} // namespace

class TestWindowModes : public QObject
{
    Q_OBJECT

private slots:
    void compactStripComesBackWhereItWas()
    {
        WindowRig rig;
        TFrm_Sintonia *w = rig.main();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->move(120, 90);
        const QPoint before = w->pos();
        const QSize normal = w->size();

        w->findChild<QAction *>(QStringLiteral("Rimpicciolisciinalto1"))->trigger();
        QVERIFY(w->modes().compact());
        QCOMPARE(w->pos(), w->screen()->geometry().topLeft());
        QVERIFY(shown(rig, "Pnl_Ridotto"));
        QVERIFY(!shown(rig, "Pnl_Tv"));
        QTRY_VERIFY_WITH_TIMEOUT(w->height() < 100, 5000);
        QCOMPARE(w->windowTitle(), QString()); // nothing has played yet
        QCOMPARE(rig.find<QAction>(QStringLiteral("Rimpicciolisciinalto1"))->text(), QStringLiteral("Ripristina"));
        for (const char *name : {"RadioMenu_action", "Atuttoschermo1", "N9", "Newsletter1", "N4"})
            QVERIFY2(!shown(rig, name), name);
        QVERIFY(shown(rig, "Riduciaicona1"));
        // A language change keeps the command's "leave" caption.
        w->findChild<QAction *>(QStringLiteral("Italiano1"))->trigger();
        QCOMPARE(rig.find<QAction>(QStringLiteral("Rimpicciolisciinalto1"))->text(), QStringLiteral("Ripristina"));

        // The strip is moved, then left: the window goes back to where it was before.
        w->move(300, 300);
        w->findChild<QAction *>(QStringLiteral("Rimpicciolisciinalto1"))->trigger();
        QCOMPARE(w->pos(), before);
        QTRY_COMPARE_WITH_TIMEOUT(w->size(), normal, 5000);
        QCOMPARE(w->windowTitle(), QStringLiteral("Sintonia by Ventaglio - \"Versione 4.5\""));
        for (const char *name : {"RadioMenu_action", "Atuttoschermo1", "N9", "Newsletter1", "N4", "Pnl_Tv"})
            QVERIFY2(shown(rig, name), name);
        QCOMPARE(rig.find<QAction>(QStringLiteral("Rimpicciolisciinalto1"))->text(),
                 QStringLiteral("Rimpicciolisci in alto"));
    }

    void theStripSaysWhatPlays()
    {
        WindowRig rig;
        TFrm_Sintonia *w = rig.main();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(rig.deliverCatalogue(demoCatalogue(15, 15)));
        w->playback().PlayListStation(1, 1, false);
        rig.pane("Wb_Radio")->finishLoad(QStringLiteral("x"));
        const QString first = w->playback().hint();
        QVERIFY(first.startsWith(QStringLiteral("Stai ascoltando: \"Name ")));
        w->modes().ToggleCompactStrip();
        QCOMPARE(w->windowTitle(), first);
        // A new station while the strip is shown names itself there too.
        w->playback().PlayListStation(1, 2, false);
        rig.pane("Wb_Radio")->finishLoad(QStringLiteral("y"));
        QVERIFY(w->windowTitle() != first);
        QCOMPARE(w->windowTitle(), w->playback().hint());
    }

    void fullScreenLayoutForScreens_data()
    {
        QTest::addColumn<QSize>("client");
        QTest::newRow("1024 x 768") << QSize(1024, 768 - 40);
        QTest::newRow("1920 x 1080") << QSize(1920, 1080 - 40);
    }

    void fullScreenLayoutForScreens()
    {
        QFETCH(QSize, client);
        const FullScreenLayout l = FullScreenLayout::forClient(client);
        QCOMPARE(l.pnlTv, QRect(QPoint(0, 0), client));
        QCOMPARE(l.pnlAscolta, QRect(0, 0, client.width(), client.height() - 70));
        QCOMPARE(l.panel1, QRect(0, client.height() - 70, client.width(), 70));
        QCOMPARE(l.panel2.width(), client.width());
    }

    void fullScreenFillsTheWindowAndComesBack()
    {
        WindowRig rig;
        TFrm_Sintonia *w = rig.main();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->move(50, 40);
        const QPoint before = w->pos();
        auto *panel = rig.find<QWidget>(QStringLiteral("Pnl_Tv"));
        auto *listening = rig.find<QWidget>(QStringLiteral("Pnl_Ascolta"));

        w->findChild<QAction *>(QStringLiteral("Atuttoschermo1"))->trigger();
        QVERIFY(w->modes().fullScreen());
        QVERIFY(w->windowState() & Qt::WindowMaximized);
        QTRY_VERIFY_WITH_TIMEOUT(panel->width() > 716 || panel->height() > 477, 5000);
        QCOMPARE(listening->geometry(), QRect(0, 0, panel->width(), panel->height() - 70));
        QCOMPARE(rig.find<QWidget>(QStringLiteral("Panel1"))->geometry(),
                 QRect(0, panel->height() - 70, panel->width(), 70));
        for (const char *name : {"Rimpicciolisciinalto1", "Pnl_SponsorAgg", "N3"})
            QVERIFY2(!shown(rig, name), name);
        QCOMPARE(rig.find<QAction>(QStringLiteral("Atuttoschermo1"))->text(), QStringLiteral("Ripristina"));
        // A station played in full screen keeps the large listening area.
        w->playback().PlayStationById(7);
        QCOMPARE(listening->geometry(), QRect(0, 0, panel->width(), panel->height() - 70));

        w->findChild<QAction *>(QStringLiteral("Atuttoschermo1"))->trigger();
        QVERIFY(!(w->windowState() & Qt::WindowMaximized));
        QTRY_COMPARE_WITH_TIMEOUT(panel->size(), QSize(716, 477), 5000);
        QCOMPARE(listening->geometry(), QRect(1, 1, 559, 392));
        QCOMPARE(rig.find<QWidget>(QStringLiteral("Panel1"))->geometry(), QRect(0, 407, 559, 70));
        QCOMPARE(w->pos(), before);
        for (const char *name : {"Rimpicciolisciinalto1", "Pnl_SponsorAgg", "N3"})
            QVERIFY2(shown(rig, name), name);
        QCOMPARE(rig.find<QAction>(QStringLiteral("Atuttoschermo1"))->text(), QStringLiteral("A tutto schermo"));
    }

    void theTrayMenu()
    {
        WindowRig rig;
        auto *menu = rig.find<QMenu>(QStringLiteral("PopupMenu1"));
        QCOMPARE(rig.main()->tray()->contextMenu(), menu);
        QStringList order;
        for (QAction *a : menu->actions())
            order << (a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(order, (QStringList{"esci1", "N2", "Ripristina1", "N1", "CambiaRadio1"}));
        QCOMPARE(menu->defaultAction(), rig.find<QAction>(QStringLiteral("Ripristina1")));
        QVERIFY(menu->defaultAction()->font().bold());
        QStringList lists;
        for (QAction *a : menu->findChild<QMenu *>(QStringLiteral("CambiaRadio1"))->actions()) {
            lists << a->menu()->objectName();
            QCOMPARE(a->menu()->actions().size(), 15);
        }
        QCOMPARE(lists, (QStringList{"Leradiopicliccate1", "Lemieradiopreferite1", "New1"}));
        QCOMPARE(rig.main()->tray()->toolTip(), QStringLiteral("Seleziona la tua radio preferita"));
    }

    void hidingInTheTrayKeepsTheMode()
    {
        WindowRig rig;
        TFrm_Sintonia *w = rig.main();
        w->modes().setTrayAvailable([] { return true; });
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        w->modes().ToggleCompactStrip();
        rig.find<QAction>(QStringLiteral("Riduciaicona1"))->trigger();
        QVERIFY(!w->isVisible());
        QVERIFY(w->tray()->isVisible());
        emit w->tray()->activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(w->isVisible());
        QVERIFY(w->modes().compact());
        QVERIFY(shown(rig, "Pnl_Ridotto"));

        // The title-bar minimise hides it in the tray as well; "Ripristina" brings it back.
        w->setWindowState(Qt::WindowMinimized);
        QTRY_VERIFY_WITH_TIMEOUT(!w->isVisible(), 5000);
        rig.find<QAction>(QStringLiteral("Ripristina1"))->trigger();
        QVERIFY(w->isVisible());
        QVERIFY(!w->isMinimized());
    }

    // Hidden in the tray, each new station is named once on the desktop; none while visible.
    void aStationChangeInTheTrayIsNotified()
    {
        WindowRig rig;
        TFrm_Sintonia *w = rig.main();
        w->modes().setTrayAvailable([] { return true; });
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QVERIFY(rig.deliverCatalogue(demoCatalogue(15, 15)));
        w->playback().PlayListStation(1, 1, false);
        rig.pane("Wb_Radio")->finishLoad(QStringLiteral("a"));
        QVERIFY(rig.notifier.shown.isEmpty()); // visible

        w->modes().HideToTray();
        w->playback().PlayListStation(1, 2, false);
        rig.pane("Wb_Radio")->finishLoad(QStringLiteral("b"));
        QCOMPARE(rig.notifier.shown, QStringList{QStringLiteral("Sintonia | ") + w->playback().hint()});
        rig.pane("Wb_Radio")->finishLoad(QStringLiteral("b")); // the same station again
        QCOMPARE(rig.notifier.shown.size(), 1);
        w->playback().PlayListStation(1, 3, false);
        rig.pane("Wb_Radio")->finishLoad(QStringLiteral("c"));
        QCOMPARE(rig.notifier.shown.size(), 2);

        w->modes().ShowFromTray();
        w->playback().PlayListStation(1, 4, false);
        rig.pane("Wb_Radio")->finishLoad(QStringLiteral("d"));
        QCOMPARE(rig.notifier.shown.size(), 2);
    }

    // Without a tray the window is never hidden where the user cannot find it again.
    void withoutATrayTheTaskbarKeepsTheWindow()
    {
        WindowRig rig;
        TFrm_Sintonia *w = rig.main();
        w->modes().setTrayAvailable([] { return false; });
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w));
        rig.find<QAction>(QStringLiteral("Riduciaicona1"))->trigger();
        QVERIFY(w->isVisible());
        QVERIFY(w->windowState() & Qt::WindowMinimized);
        w->setWindowState(Qt::WindowNoState);
        w->setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QVERIFY(w->isVisible());
        // Every command still reaches the window.
        for (const char *name : {"Riduciaicona1", "Rimpicciolisciinalto1", "Atuttoschermo1"})
            QVERIFY2(shown(rig, name), name);
    }
};

QTEST_MAIN(TestWindowModes)
#include "test_windowmodes.moc"
