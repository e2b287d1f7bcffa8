// The catalogue in the main window with fake panes: capture once per request, rows,
// loading panels, highlights, tray entries, partner fields, plays and failures.
#include "app/frm_sintonia.h"
#include "app/windows.h"
#include "windowrig.h"
#include "platform/fakes/fakeplatform.h"
#include "platform/fakes/fakewebpane.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "service/mirrors.h"
#include "service/serveraddress.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QByteArray catalogue(int list1, int list3, const QList<QByteArray> &trailer = {"", "", "", ""})
{
    return demoCatalogue(list1, list3, trailer);
}

struct Rig : WindowRig
{
    using WindowRig::WindowRig;
    bool deliver(const QByteArray &page) { return deliverCatalogue(page); }

    // The captions of the visible rows of a list, from the top.
    QStringList rowsFromTop(int list) const
    {
        QList<QLabel *> rows;
        for (int k = 1; k <= 15; ++k) {
            auto *row = find<QLabel>(QStringLiteral("Lbl_%1_%2").arg(list).arg(k));
            if (row && !row->isHidden())
                rows.append(row);
        }
        std::sort(rows.begin(), rows.end(), [](QLabel *a, QLabel *b) { return a->y() < b->y(); });
        QStringList captions;
        for (QLabel *row : rows)
            captions.append(row->text());
        return captions;
    }
};

QStringList captions(int list, const QList<int> &records)
{
    QStringList out;
    for (int r : records)
        out.append(QStringLiteral("Caption %1").arg(list * 100 + r));
    return out;
}

} // namespace

class TestCatalogueWindow : public QObject
{
    Q_OBJECT

private slots:
    void fullListsInTheirOrder()
    {
        Rig rig;
        rig.main()->show();
        QVERIFY(rig.deliver(catalogue(15, 15)));
        QVERIFY(QTest::qWaitForWindowExposed(rig.main()));
        // List 1 keeps the service's order; list 3 shows its fifteenth record on top.
        QList<int> upwards, downwards;
        for (int r = 1; r <= 15; ++r) {
            upwards << r;
            downwards.prepend(r);
        }
        QCOMPARE(rig.rowsFromTop(1), captions(1, upwards));
        QCOMPARE(rig.rowsFromTop(3), captions(3, downwards));
        QVERIFY(rig.find(QStringLiteral("Pnl_Caricamento1"))->isHidden());
        QVERIFY(rig.find(QStringLiteral("Pnl_Caricamento2"))->isHidden());
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Lbl_1_15"))->toolTip(), QStringLiteral("Clicca per accedere: Name 101"));

        // Tray: "Le radio più cliccate" from Radio_1_15 down to Radio_1_1, "New" from Radio_3_1.
        const QList<QAction *> most = rig.find<QMenu>(QStringLiteral("Leradiopicliccate1"))->actions();
        QCOMPARE(most.first()->objectName(), QStringLiteral("Radio_1_15"));
        QCOMPARE(most.first()->text(), QStringLiteral("Name 101"));
        QCOMPARE(most.last()->objectName(), QStringLiteral("Radio_1_1"));
        const QList<QAction *> fresh = rig.find<QMenu>(QStringLiteral("New1"))->actions();
        QCOMPARE(fresh.first()->objectName(), QStringLiteral("Radio_3_1"));
        QCOMPARE(fresh.first()->text(), QStringLiteral("Name 301"));

        QVERIFY(QFile::exists(rig.tempFile("tmp1SN.txt")));
        QVERIFY(!QFile::exists(rig.tempFile("tmpSN.txt")));
    }

    void shortListsKeepTheirPanels()
    {
        Rig rig;
        rig.main()->show();
        QVERIFY(rig.deliver(catalogue(10, 10)));
        QCOMPARE(rig.rowsFromTop(1), captions(1, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
        QVERIFY(rig.find(QStringLiteral("Pnl_Caricamento1"))->isHidden());
        // List 3's slot 15 stays empty: its panel stays over the ten rows.
        QVERIFY(!rig.find(QStringLiteral("Pnl_Caricamento2"))->isHidden());
        QCOMPARE(rig.rowsFromTop(3).size(), 10);
        // A tray entry of an empty slot keeps its empty caption.
        QCOMPARE(rig.find<QAction>(QStringLiteral("Radio_3_11"))->text(), QString());
    }

    void noCatalogueKeepsBothPanels()
    {
        Rig rig;
        rig.main()->show();
        QVERIFY(rig.deliver(QByteArray()));
        QVERIFY(!rig.find(QStringLiteral("Pnl_Caricamento1"))->isHidden());
        QVERIFY(!rig.find(QStringLiteral("Pnl_Caricamento2"))->isHidden());
        QVERIFY(rig.rowsFromTop(1).isEmpty());
    }

    void oneCapturePerRequest()
    {
        Rig rig;
        FakeWebPane *pane3 = rig.pane("WebBrowser3");
        pane3->setSaveResult(true, catalogue(15, 15));
        pane3->finishLoad(QStringLiteral("catalogue"));
        // Completions while the save is being written, and after, start nothing new.
        pane3->emitProgress(100);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.main()->catalogue().captureInFlight(), 5000);
        pane3->emitProgress(100);
        QCOMPARE(pane3->saves(), 1);
        QVERIFY(rig.main()->catalogue().CatalogueCaptured());
    }

    void secondRequestEmptiesTheStoreAndCapturesAgain()
    {
        Rig rig(3);
        QVERIFY(rig.deliver(catalogue(15, 15)));
        QCOMPARE(rig.main()->catalogue().store().List1[15].Name, QStringLiteral("Name 101"));
        rig.pane("WB_Principale")->finishLoad(QStringLiteral("accessoOK"));
        QVERIFY(rig.main()->catalogue().store().List1[15].Name.isEmpty());
        QVERIFY(!rig.main()->catalogue().CatalogueCaptured());
        // The rows keep what they showed until the new catalogue overwrites them.
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Lbl_1_15"))->text(), QStringLiteral("Caption 101"));
        QVERIFY(rig.deliver(catalogue(3, 0)));
        QCOMPARE(rig.pane("WebBrowser3")->saves(), 2);
        QCOMPARE(rig.main()->catalogue().store().List1[13].Name, QStringLiteral("Name 103"));
    }

    void requestDuringASaveDiscardsThatSave()
    {
        Rig rig(3);
        FakeWebPane *pane3 = rig.pane("WebBrowser3");
        pane3->setSaveResult(true, catalogue(15, 15));
        pane3->finishLoad(QStringLiteral("old"));
        // The second request arrives before the first save has been written.
        rig.pane("WB_Principale")->finishLoad(QStringLiteral("accessoOK"));
        pane3->setSaveResult(true, catalogue(2, 0));
        pane3->finishLoad(QStringLiteral("new"));
        QTRY_COMPARE_WITH_TIMEOUT(pane3->saves(), 2, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(!rig.main()->catalogue().captureInFlight(), 5000);
        QCOMPARE(rig.main()->catalogue().store().List1[15].Name, QStringLiteral("Name 101"));
        QVERIFY(rig.main()->catalogue().store().List1[13].Name.isEmpty());
    }

    void hoverLightsTheRowsHighlight()
    {
        Rig rig;
        rig.main()->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.main()));
        QVERIFY(rig.deliver(catalogue(15, 15)));
        auto *lists = rig.find<QTabWidget>(QStringLiteral("PageControl1"));
        lists->setCurrentIndex(2);
        auto *row = rig.find<QLabel>(QStringLiteral("Lbl_3_3"));
        QTest::mouseMove(row);
        QTRY_VERIFY(rig.find(QStringLiteral("Img_Evidenziato4_13"))->isVisible());
        QCOMPARE(rig.find(QStringLiteral("Img_Evidenziato4_13"))->y(), 12 * 18);
        QCOMPARE(row->y(), 12 * 18);
        auto *line = rig.find<QLabel>(QStringLiteral("Lbl_DescrizioneTasto"));
        QVERIFY(line->isVisible());
        QCOMPARE(line->text(), QStringLiteral("Clicca per ascoltare Name 303"));

        // Another row clears the first highlight.
        lists->setCurrentIndex(0);
        QTest::mouseMove(rig.find<QLabel>(QStringLiteral("Lbl_1_15")));
        QTRY_VERIFY(rig.find(QStringLiteral("Img_Evidenziato2_15"))->isVisible());
        QVERIFY(!rig.find(QStringLiteral("Img_Evidenziato4_13"))->isVisible());
        QCOMPARE(rig.find(QStringLiteral("Img_Evidenziato2_15"))->y(), 0);

        // The window's background hides the line and leaves the highlight lit.
        QWidget *background = rig.find(QStringLiteral("Pnl_Tv"));
        QMouseEvent move(QEvent::MouseMove, QPointF(650, 54), background->mapToGlobal(QPointF(650, 54)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QVERIFY(!background->childAt(650, 54));
        QCoreApplication::sendEvent(background, &move);
        QVERIFY(!line->isVisible());
        QCOMPARE(line->text(), QStringLiteral(" "));
        QVERIFY(rig.find(QStringLiteral("Img_Evidenziato2_15"))->isVisible());
    }

    void topBarHovers_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("highlight");
        QTest::newRow("search") << "Label2" << "Ricerca Radio/Tv" << "Img_Evidenziato1_2";
        QTest::newRow("all") << "Label3" << "Visualizza l'elenco completo delle radio e tv disponibili" << "Img_Evidenziato1_3";
        QTest::newRow("support") << "Lbl_SostieniSintonia" << "Sostieni Sintonia" << "Img_Evidenziato1_12";
        QTest::newRow("back") << "ImgIndietro" << "Torna alla pagina precedente" << "";
        QTest::newRow("forward") << "ImgAvanti" << "Vai alla pagina successiva" << "";
    }

    void topBarHovers()
    {
        QFETCH(QString, control);
        QFETCH(QString, description);
        QFETCH(QString, highlight);
        Rig rig;
        rig.main()->show();
        QVERIFY(QTest::qWaitForWindowExposed(rig.main()));
        rig.find(QStringLiteral("Img_Evidenziato1_3"))->show(); // lit by an earlier hover
        QTest::mouseMove(rig.find(control));
        QTRY_COMPARE(rig.find<QLabel>(QStringLiteral("Lbl_DescrizioneTasto"))->text(), description);
        if (!highlight.isEmpty()) {
            QVERIFY(rig.find(highlight)->isVisible());
            QCOMPARE(rig.find(QStringLiteral("Img_Evidenziato1_3"))->isVisible(), highlight == QLatin1String("Img_Evidenziato1_3"));
        } else {
            QVERIFY(rig.find(QStringLiteral("Img_Evidenziato1_3"))->isVisible()); // the buttons clear nothing
        }
    }

    void partnerFields_data()
    {
        QTest::addColumn<QList<QByteArray>>("trailer");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("sponsor");
        QTest::addColumn<bool>("extraTab");
        const QString community = QStringLiteral("http://127.0.0.1:47810/comunity/randomfacebook.asp");
        const QString design = QStringLiteral("Sintonia by Ventaglio");
        QTest::newRow("nothing") << QList<QByteArray>{"", "", "", ""} << design << community << false;
        QTest::newRow("partner of two characters") << QList<QByteArray>{"AB", "", "", ""} << design << community << false;
        QTest::newRow("partner of three characters") << QList<QByteArray>{"ABC", "", "", ""} << "Sintonia for ABC" << community << false;
        QTest::newRow("sponsor page") << QList<QByteArray>{"", "http://sponsor.example/p", "", ""} << design
                                      << "http://sponsor.example/p" << false;
        QTest::newRow("sponsor that is no web page") << QList<QByteArray>{"", "javascript:alert(1)", "", ""} << design
                                                     << community << false;
        QTest::newRow("tab address too short") << QList<QByteArray>{"", "", "Tabs", "ab"} << design << community << false;
        QTest::newRow("extra tab") << QList<QByteArray>{"", "", "Partner TV", "http://tv.example/"} << design << community << true;
    }

    void partnerFields()
    {
        QFETCH(QList<QByteArray>, trailer);
        QFETCH(QString, caption);
        QFETCH(QString, sponsor);
        QFETCH(bool, extraTab);
        Rig rig;
        QVERIFY(rig.deliver(catalogue(15, 15, trailer)));
        QCOMPARE(rig.main()->windowTitle(), caption);
        QCOMPARE(rig.pane("WB_SponsorAggiuntivi")->navigations(), QStringList{sponsor});
        QTabWidget *pages = rig.main()->Pnl_Ascolta();
        QCOMPARE(pages->isTabVisible(7), extraTab);
        QCOMPARE(pages->currentIndex(), extraTab ? 7 : 0);
        QCOMPARE(rig.pane("Wb_Catalogo")->navigations(),
                 extraTab ? QStringList{QStringLiteral("http://tv.example/")} : QStringList{});
        if (extraTab)
            QCOMPARE(pages->tabText(7), QStringLiteral("Partner TV"));
    }

    // Texts of the catalogue show as they are: no control characters, no shortcut marks,
    // no caption longer than a title may be.
    void partnerTextsShowAsText()
    {
        Rig rig;
        const QByteArray longName = "R&B\x01" + QByteArray(500, 'x');
        QVERIFY(rig.deliver(catalogue(15, 15, {longName, "", "Rock & Roll TV", "http://tv.example/"})));
        const QString title = rig.main()->windowTitle();
        QVERIFY(title.startsWith(QStringLiteral("Sintonia for R&B x")));
        QVERIFY(title.size() <= 13 + 201);
        QCOMPARE(rig.main()->Pnl_Ascolta()->tabText(7), QStringLiteral("Rock && Roll TV"));
    }

    // Tab walks the rows as they stand on screen, top to bottom, and Enter plays the row.
    void keyboardFollowsTheRowsOnScreen()
    {
        Rig rig;
        QVERIFY(rig.deliver(catalogue(15, 15)));
        for (int list : {1, 3}) {
            QList<QWidget *> rows;
            for (int k = 1; k <= 15; ++k)
                rows << rig.find<QWidget>(QStringLiteral("Lbl_%1_%2").arg(list).arg(k));
            std::sort(rows.begin(), rows.end(), [](QWidget *a, QWidget *b) { return a->y() < b->y(); });
            for (int i = 0; i + 1 < rows.size(); ++i) {
                QWidget *next = rows[i]->nextInFocusChain();
                while (next->focusPolicy() == Qt::NoFocus)
                    next = next->nextInFocusChain();
                QCOMPARE(next, rows[i + 1]);
            }
        }
    }

    void trayEntriesShowAmpersands()
    {
        Rig rig;
        QByteArray page = catalogue(15, 15);
        page.replace("Name 101", "R&B 101");
        QVERIFY(rig.deliver(page));
        auto *tray = rig.find<QMenu>(QStringLiteral("PopupMenu1"));
        bool found = false;
        for (QAction *a : tray->findChildren<QAction *>())
            found = found || a->text() == QLatin1String("R&&B 101");
        QVERIFY(found);
    }

    void plays_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("banners");
        QTest::newRow("row 4 of list 1") << "Lbl_1_4" << 4 << 2;
        QTest::newRow("row 3 of list 3") << "Lbl_3_3" << 43 << 2;
        QTest::newRow("tray entry 12 of list 1") << "Radio_1_12" << 12 << 1;
        QTest::newRow("tray entry 3 of New") << "Radio_3_3" << 43 << 1;
    }

    void plays()
    {
        QFETCH(QString, control);
        QFETCH(int, code);
        QFETCH(int, banners);
        Rig rig;
        rig.main()->show();
        QVERIFY(rig.deliver(catalogue(15, 15)));
        if (auto *entry = rig.find<QAction>(control))
            entry->trigger();
        else
            QTest::mouseClick(rig.find(control), Qt::LeftButton);
        const int list = code > 40 ? 3 : 1;
        const int slot = code > 40 ? code - 40 : code;
        QCOMPARE(rig.pane("Wb_Radio")->navigations(),
                 QStringList{rig.main()->catalogue().store().slot(list, slot)->Url});
        QCOMPARE(rig.main()->playback().NowPlayingCode(), code);
        QCOMPARE(rig.main()->playback().StationStarted(), true);
        QCOMPARE(rig.pane("WebBrowser2")->navigations().size(), banners);
        QCOMPARE(rig.pane("WebBrowser2")->navigations().last(),
                 ServerAddress::banner(rig.main()->mirrors().ServerRoot()));
        QCOMPARE(rig.main()->Pnl_Ascolta()->geometry(), QRect(1, 1, 559, 392));
        QCOMPARE(rig.main()->Pnl_Ascolta()->currentIndex(), 0);
    }

    void addressThatIsNoWebPageIsNeverLoaded()
    {
        Rig rig;
        QByteArray page = catalogue(15, 15);
        page.replace("http://127.0.0.1:47801/Radio/mostraRadio.asp?Id=101", "javascript:alert(document.cookie)");
        QVERIFY(rig.deliver(page));
        QTest::mouseClick(rig.find(QStringLiteral("Lbl_1_15")), Qt::LeftButton);
        rig.find<QAction>(QStringLiteral("Radio_1_15"))->trigger();
        QVERIFY(rig.pane("Wb_Radio")->navigations().isEmpty());
        QVERIFY(rig.pane("WebBrowser2")->navigations().isEmpty());
        QCOMPARE(rig.main()->playback().NowPlayingCode(), -1);
    }

    void refusedSaveIsReportedAndTheProgramGoesOn()
    {
        Rig rig;
        FakeWebPane *pane3 = rig.pane("WebBrowser3");
        pane3->setSaveResult(false);
        QFile::remove(rig.tempFile("tmpSN.txt"));
        pane3->finishLoad(QStringLiteral("catalogue"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.dialogs.shown, QStringList{QStringLiteral("SaveAs HTML fail!")}, 5000);
        // Nothing was written: the conversion cannot open the file and says why.
        QCOMPARE(rig.dialogs.errors.size(), 1);
        QVERIFY(!rig.find(QStringLiteral("Pnl_Caricamento1"))->isHidden());
    }

    void errorPageOfAFailedMirrorIsAnEmptyPageWithoutAMessage()
    {
        Rig rig(3);
        QVERIFY(rig.deliver(catalogue(15, 15)));
        rig.pane("WB_Principale")->finishLoad(QStringLiteral("accessoOK"));
        // The next catalogue load fails: the pane shows the browser's error page, whose
        // document cannot be saved.
        FakeWebPane *pane3 = rig.pane("WebBrowser3");
        pane3->setSaveResult(false);
        pane3->setLocation(QStringLiteral("chrome-error://chromewebdata/"));
        pane3->setDocumentProtocol(QStringLiteral("chrome-error:"));
        pane3->finishLoad(QStringLiteral("127.0.0.1"));
        QTRY_VERIFY_WITH_TIMEOUT(!rig.main()->catalogue().captureInFlight(), 5000);
        QTest::qWait(50);
        QVERIFY(rig.dialogs.shown.isEmpty());
        QVERIFY(rig.dialogs.errors.isEmpty());
        // Parsed as an empty page: the store is empty, the capture files are as after any parse.
        QVERIFY(rig.main()->catalogue().CatalogueCaptured());
        QVERIFY(rig.main()->catalogue().store().List1[15].Name.isEmpty());
        QFile converted(rig.tempFile("tmp1SN.txt"));
        QVERIFY(converted.open(QIODevice::ReadOnly));
        QVERIFY(converted.readAll().trimmed().isEmpty());
        QVERIFY(!QFile::exists(rig.tempFile("tmpSN.txt")));
    }

    void unwritableTempFolderIsReported()
    {
        Rig rig(1, {}, QStringLiteral("/nonexistent/folder/"));
        FakeWebPane *pane3 = rig.pane("WebBrowser3");
        pane3->setSaveResult(true, catalogue(15, 15));
        pane3->finishLoad(QStringLiteral("catalogue"));
        QTRY_COMPARE_WITH_TIMEOUT(rig.dialogs.shown.size() + rig.dialogs.errors.size(), 2, 5000);
        QCOMPARE(rig.dialogs.shown, QStringList{QStringLiteral("SaveAs HTML fail!")});
        QVERIFY(!rig.dialogs.errors.first().isEmpty());
    }
};

QTEST_MAIN(TestCatalogueWindow)
#include "test_catalogue_window.moc"
