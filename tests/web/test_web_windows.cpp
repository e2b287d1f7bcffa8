// The menu links, the About box and the search window, with a recording shell.
#include "windowrig.h"

#include "platform/clickablelabel.h"
#include "platform/textfile.h"
#include "settings/options.h"
#include "web/frm_about.h"
#include "web/frm_googlefinder.h"

#include <QAction>
#include <QLabel>
#include <QTest>

class TestWebWindows : public QObject
{
    Q_OBJECT

private slots:
    void menuLinksOpenTheirAddresses_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("address");
        QTest::newRow("maker") << "NVentagliocom1" << "http://127.0.0.1:47811/";
        QTest::newRow("product") << "SintoniaversioneWeb1" << "http://127.0.0.1:47810/";
        QTest::newRow("sister") << "NDuemarcecom1" << "http://127.0.0.1:47813/";
        QTest::newRow("graphology") << "Grafologa1" << "http://www.grafologia.it/";
        QTest::newRow("media player") << "WindowsMediaPlayer1"
                                      << "http://www.microsoft.com/windows/windowsmedia/9series/gettingstarted/"
                                         "download/download.asp";
        QTest::newRow("real player") << "RealPlayer1"
                                     << "http://www.real.com/real/realone/intl/focus.html?loc=it&lang=en&tagtype=ie&"
                                        "type=dlrhap_rh";
        QTest::newRow("donation") << "SostieniSintonia1" << "http://127.0.0.1:47811/Pagamenti/Donazioni.htm";
        QTest::newRow("advertising") << "PubblicitsuSintonia1" << "http://127.0.0.1:47810/pubblicitasoftware.asp";
        QTest::newRow("forum") << "Helpforum1" << "http://127.0.0.1:47812/forum";
    }

    void menuLinksOpenTheirAddresses()
    {
        QFETCH(QString, item);
        QFETCH(QString, address);
        WindowRig rig;
        rig.find<QAction>(item)->trigger();
        QCOMPARE(rig.shell.opened, QStringList{address});
    }

    void theDonationLabel()
    {
        WindowRig rig;
        emit rig.find<ClickableLabel>(QStringLiteral("Lbl_SostieniSintonia"))->clicked();
        QCOMPARE(rig.shell.opened, QStringList{"http://127.0.0.1:47811/Pagamenti/Donazioni.htm"});
    }

    void theAboutBox()
    {
        WindowRig rig;
        auto *about = static_cast<TFrm_About *>(rig.window(QStringLiteral("Frm_About")));
        QCOMPARE(about->size(), QSize(400, 312));
        QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Label5"))->text(), QStringLiteral("Sintonia - Versione: 4.5"));
        emit about->findChild<ClickableLabel *>(QStringLiteral("Label8"))->clicked();
        emit about->findChild<ClickableLabel *>(QStringLiteral("Lbl_Forum2"))->clicked();
        QCOMPARE(rig.shell.opened, (QStringList{"http://127.0.0.1:47811/", "http://127.0.0.1:47812/Forum"}));
    }

    void searchWindowPlace_data()
    {
        QTest::addColumn<QRect>("workArea");
        QTest::newRow("1024 x 768") << QRect(0, 0, 1024, 740);
        QTest::newRow("1920 x 1080") << QRect(0, 0, 1920, 1040);
        QTest::newRow("primary right of another screen") << QRect(1920, 0, 1280, 984);
        QTest::newRow("primary below another screen") << QRect(0, 1080, 1920, 1040);
    }

    void searchWindowPlace()
    {
        QFETCH(QRect, workArea);
        WindowRig rig;
        rig.workArea = workArea;
        rig.restart();
        TFrm_GoogleFinder *finder = rig.main()->searchWindow();
        const int right = workArea.x() + workArea.width();
        const int top = workArea.y() + workArea.height() - 40;
        QCOMPARE(finder->size(), QSize(392, 40));
        QCOMPARE(finder->pos(), QPoint(right - 17, top));
        QVERIFY(finder->collapsed());
        finder->Image1Click();
        QCOMPARE(finder->pos(), QPoint(right - 392, top));
        finder->Image1Click();
        QCOMPARE(finder->pos(), QPoint(right - 17, top));
    }

    void searchWindowFollowsTheSwitch()
    {
        WindowRig rig;
        QStringList options(53);
        options[19] = QStringLiteral("SI");
        TextFile::writeLines(rig.settingsFile("OpzSN.txt"), options);
        rig.restart();
        TFrm_GoogleFinder *finder = rig.main()->searchWindow();
        QVERIFY(finder->isVisible());
        auto *browser = static_cast<FakeWebPane *>(&finder->browser());
        QCOMPARE(browser->navigations(), QStringList{"http://127.0.0.1:47801/radio/GoogleFinder.htm"});
        QVERIFY(browser->handsNewWindowsOver());
        // The results of a search open in the user's browser.
        emit browser->newWindowRequested(QStringLiteral("https://www.google.com/search?q=radio"));
        QCOMPARE(rig.shell.opened, QStringList{"https://www.google.com/search?q=radio"});

        // Hidden at start, it loads nothing; with the switch off, its handle hides it.
        WindowRig off;
        TFrm_GoogleFinder *hidden = off.main()->searchWindow();
        QVERIFY(!hidden->isVisible());
        QVERIFY(static_cast<FakeWebPane *>(&hidden->browser())->navigations().isEmpty());
        hidden->show();
        hidden->Image1Click();
        QVERIFY(!hidden->isVisible());
    }
};

QTEST_MAIN(TestWebWindows)
#include "test_web_windows.moc"
