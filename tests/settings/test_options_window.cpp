// The options at start and in the dialog, the station pickers and the favourites list, in
// the real windows with fake panes and scripted boxes.
#include "windowrig.h"

#include "platform/clickablelabel.h"
#include "platform/textfile.h"
#include "playback/playback.h"
#include "settings/favourites.h"
#include "settings/frm_gestioneopzioni.h"
#include "settings/optionsfile.h"
#include "settings/options.h"
#include "settings/personalpick.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

namespace {

// A saved confirmation page: the station on lines 39, 41 and 43.
QByteArray confirmationPage(qint32 id, const QByteArray &name, const QByteArray &caption, int lines = 45)
{
    QList<QByteArray> page(lines, QByteArray("<p>"));
    const auto put = [&page](int line, const QByteArray &text) {
        if (line <= page.size())
            page[line - 1] = text;
    };
    put(39, QByteArray::number(id));
    put(41, name);
    put(43, caption);
    return page.join("\r\n") + "\r\n";
}

QStringList fileLines(const WindowRig &rig)
{
    return TextFile::readLines(rig.settingsFile(OptionsFile::FileName)).value_or(QStringList{QStringLiteral("<none>")});
}

void writeOptions(WindowRig &rig, const OptionsFile::Record &record)
{
    QCOMPARE(TextFile::writeLines(rig.settingsFile(OptionsFile::FileName), OptionsFile::compose(record)), QString());
}

} // namespace

class TestOptionsWindow : public QObject
{
    Q_OBJECT

    TFrm_GestioneOpzioni *dialog(WindowRig &rig) { return rig.main()->options().dialog(); }

    void click(QWidget *window, const char *button)
    {
        auto *b = window->findChild<QPushButton *>(QLatin1String(button));
        QVERIFY2(b, button);
        b->clicked();
    }

    // Runs `inside` once the dialog is shown by ShowOptions(page); `inside` closes it.
    void withDialog(WindowRig &rig, int page, std::function<void(TFrm_GestioneOpzioni *)> inside)
    {
        bool ran = false;
        QTimer::singleShot(0, rig.main(), [&] {
            ran = true;
            QVERIFY(dialog(rig)->isVisible());
            inside(dialog(rig));
            if (dialog(rig)->isVisible())
                dialog(rig)->reject();
        });
        rig.main()->ShowOptions(page);
        QVERIFY(ran);
    }

    // While the options dialog is open: the personal picker finishes on `title` having
    // saved `page`, then is left with `closer`.
    void pickWith(WindowRig &rig, const char *opener, const QString &title, const QByteArray &page,
                  const char *closer = "BitBtn2")
    {
        QTimer::singleShot(0, rig.main(), [&rig, title, page, closer, this] {
            QWidget *picker = rig.window(QStringLiteral("Frm_RadioPersonale"));
            QVERIFY(picker && picker->isVisible());
            FakeWebPane *browser = rig.pane("WebBrowser1");
            QCOMPARE(browser->navigations().last(), QStringLiteral("http://127.0.0.1:47801/Radio/radioPersonale.asp"));
            browser->setSaveResult(true, page);
            browser->finishLoad(title);
            // Closed at once: the save of the page is still under way.
            click(picker, closer);
        });
        click(dialog(rig), opener);
    }

private slots:
    void init() { qputenv("XDG_CONFIG_HOME", QByteArray()); }

    void withoutAFileNothingIsKeptAndTheFirstOpeningCreatesOne()
    {
        WindowRig rig;
        QVERIFY(rig.pane("Wb_Radio")->navigations().isEmpty());
        QCOMPARE(rig.main()->playback().messengerOption(), false);
        QCOMPARE(rig.main()->CurrentLanguage(), 1);
        QVERIFY(rig.find<QLabel>(QStringLiteral("Lbl_2_1"))->isHidden());

        withDialog(rig, 0, [&](TFrm_GestioneOpzioni *d) {
            QVERIFY(QFile::exists(rig.settingsFile(OptionsFile::FileName)));
            QCOMPARE(QFileInfo(rig.settingsFile(OptionsFile::FileName)).size(), 0);
            QCOMPARE(d->PageControl1()->currentIndex(), 0);
            QVERIFY(d->check("Chk_Google")->isChecked());
            QVERIFY(d->check("Chk_Msn")->isChecked());
            click(d, "BitBtn2");
        });
        const QStringList lines = fileLines(rig);
        QCOMPARE(lines.size(), 53);
        QCOMPARE(lines.mid(19, 3), (QStringList{"SI", "SI", "NO"}));
        QCOMPARE(lines[52], QStringLiteral("1"));
        QCOMPARE(rig.main()->playback().messengerOption(), true);
    }

    void theStartupStationPlaysBeforeTheAccessPage()
    {
        OptionsFile::Record r;
        r.playAtStart = true;
        r.startupId = 4321;
        r.startupName = QStringLiteral("Start FM");
        r.messenger = true;
        r.language = 2;
        *r.stations.slot(2) = TRadio{22, QStringLiteral("Two"), QStringLiteral("Second")};
        *r.stations.slot(5) = TRadio{55, QStringLiteral("Five"), QStringLiteral("Fifth")};
        WindowRig rig;
        writeOptions(rig, r);
        rig.pane("WB_Principale")->clearNavigations();
        rig.restart();
        // The station is asked for before the access page.
        QCOMPARE(rig.pane("WB_Principale")->navigations().size(), 1);
        QCOMPARE(rig.pane("Wb_Radio")->navigations().value(0),
                 QStringLiteral("http://127.0.0.1:47801/Radio/mostraRadio.asp?Id=4321"));
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 0);
        QCOMPARE(rig.main()->playback().messengerOption(), true);
        QCOMPARE(rig.main()->CurrentLanguage(), 2);
        // Slots 2 and 5 show as entries 1 and 2, in the list and in the tray.
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Lbl_2_1"))->text(), QStringLiteral("Second"));
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Lbl_2_2"))->text(), QStringLiteral("Fifth"));
        QVERIFY(!rig.find<QLabel>(QStringLiteral("Lbl_2_2"))->isHidden());
        QVERIFY(rig.find<QLabel>(QStringLiteral("Lbl_2_3"))->isHidden());
        auto *tray = rig.find<QMenu>(QStringLiteral("PopupMenu1"));
        QCOMPARE(tray->findChild<QAction *>(QStringLiteral("Radio_2_2"))->text(), QStringLiteral("Five"));
        QVERIFY(!tray->findChild<QAction *>(QStringLiteral("Radio_2_3"))->isVisible());
        // The hint names the station once its page has loaded.
        rig.pane("Wb_Radio")->finishLoad(QStringLiteral("Start FM"));
        QVERIFY(rig.main()->playback().hint().contains(QStringLiteral("Start FM")));

        // A click on entry 2 plays the old slot 5.
        emit rig.find<ClickableLabel>(QStringLiteral("Lbl_2_2"))->clicked();
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 22);
        QCOMPARE(rig.pane("Wb_Radio")->navigations().last(),
                 QStringLiteral("http://127.0.0.1:47801/Radio/mostraRadio.asp?Id=55"));

        // The file keeps its gaps after a save.
        withDialog(rig, 0, [&](TFrm_GestioneOpzioni *d) { click(d, "BitBtn2"); });
        const QStringList lines = fileLines(rig);
        QCOMPARE(lines.mid(4, 3), (QStringList{"0", "", ""}));
        QCOMPARE(lines.mid(7, 3), (QStringList{"22", "Two", "Second"}));
        QCOMPARE(lines.mid(16, 3), (QStringList{"55", "Five", "Fifth"}));
        QCOMPARE(lines[52], QStringLiteral("2"));
    }

    void separatorsFollowCaptionsOfTwoCharactersOrMore_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("shown"); // separators 1..14, '1' shown
        QTest::newRow("three") << QStringList{"AA", "BB", "CC"} << QStringLiteral("11000000000000");
        QTest::newRow("one character") << QStringList{"AA", "B", "CC"} << QStringLiteral("10000000000000");
        QTest::newRow("none long enough") << QStringList{"A"} << QStringLiteral("00000000000000");
        QStringList fifteen;
        for (int n = 1; n <= 15; ++n)
            fifteen << QStringLiteral("C%1").arg(n);
        QTest::newRow("all fifteen") << fifteen << QStringLiteral("11111111111111");
        QStringList lastShort = fifteen;
        lastShort[14] = QStringLiteral("Z");
        QTest::newRow("entry 15 of one character") << lastShort << QStringLiteral("11111111111110");
    }

    void separatorsFollowCaptionsOfTwoCharactersOrMore()
    {
        QFETCH(QStringList, captions);
        QFETCH(QString, shown);
        WindowRig rig;
        PersonalSlots &stations = rig.main()->options().personalSlots();
        for (int n = 1; n <= captions.size(); ++n)
            *stations.slot(n) = TRadio{n, QStringLiteral("Name %1").arg(n), captions[n - 1]};
        rig.main()->favourites().RefreshFavourites();
        QString seen;
        for (int n = 1; n <= 14; ++n)
            seen += rig.find<QWidget>(QStringLiteral("Img_2_%1").arg(n))->isHidden() ? QLatin1Char('0') : QLatin1Char('1');
        QCOMPARE(seen, shown);
        for (int n = 1; n <= 15; ++n)
            QCOMPARE(rig.find<QWidget>(QStringLiteral("Lbl_2_%1").arg(n))->isHidden(), n > captions.size());
    }

    void hoverAndTheEmptyListPanel()
    {
        WindowRig rig;
        auto *pages = rig.find<QTabWidget>(QStringLiteral("PageControl1"));
        auto *panel = rig.find<QWidget>(QStringLiteral("Pnl_NessunaEmittente"));
        pages->setCurrentIndex(1);
        QVERIFY(!panel->isHidden());
        PersonalSlots &stations = rig.main()->options().personalSlots();
        for (int n = 1; n <= 15; ++n)
            *stations.slot(n) = TRadio{n, QStringLiteral("Name %1").arg(n), QStringLiteral("C%1").arg(n)};
        rig.main()->favourites().RefreshFavourites();
        QVERIFY(!panel->isHidden()); // until the page is switched again
        pages->setCurrentIndex(0);
        pages->setCurrentIndex(1);
        QVERIFY(panel->isHidden());

        emit rig.find<ClickableLabel>(QStringLiteral("Lbl_2_15"))->hovered();
        QVERIFY(!rig.find<QWidget>(QStringLiteral("Img_Evidenziato3_15"))->isHidden());
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Lbl_DescrizioneTasto"))->text(), QStringLiteral("Clicca per ascoltare Name 15"));
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Lbl_2_15"))->toolTip(), QStringLiteral("Clicca per accedere: Name 15"));
        rig.find<QMenu>(QStringLiteral("PopupMenu1"))->findChild<QAction *>(QStringLiteral("Radio_2_15"))->trigger();
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 35);
    }

    void namesFromPagesAreShownAsText()
    {
        WindowRig rig;
        const QString name = QStringLiteral("<img src='http://evil/x.png'>Rock & Roll");
        *rig.main()->options().personalSlots().slot(1) = TRadio{9, name, QStringLiteral("<b>Bold</b>")};
        rig.main()->favourites().RefreshFavourites();
        auto *entry = rig.find<QLabel>(QStringLiteral("Lbl_2_1"));
        QCOMPARE(entry->textFormat(), Qt::PlainText);
        QVERIFY(!entry->toolTip().contains(QStringLiteral("<img")));
        QCOMPARE(entry->accessibleDescription(), QStringLiteral("Clicca per accedere: ") + name);
        auto *item = rig.find<QMenu>(QStringLiteral("PopupMenu1"))->findChild<QAction *>(QStringLiteral("Radio_2_1"));
        QCOMPARE(item->iconText(), name);
    }

    // "Cambia" on row 7 with rows 1 to 6 empty: the file keeps the station in slot 7's lines,
    // the list shows it first.
    void changeOnRow7()
    {
        WindowRig rig;
        withDialog(rig, 1, [&](TFrm_GestioneOpzioni *d) {
            pickWith(rig, "BitBtn17", PersonalPick::confirmationTitle(), confirmationPage(907, "Radio Sette", "Sette"));
            QCOMPARE(d->stationLabel(7)->text(), QStringLiteral("Radio Sette"));
            click(d, "BitBtn2");
        });
        QVERIFY(rig.dialogs.shown.isEmpty());
        QVERIFY(rig.dialogs.errors.isEmpty());
        const QStringList lines = fileLines(rig);
        QCOMPARE(lines.mid(25, 3), (QStringList{"907", "Radio Sette", "Sette"}));
        QCOMPARE(lines.mid(22, 3), (QStringList{"0", "", ""}));
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Lbl_2_1"))->text(), QStringLiteral("Sette"));
        QVERIFY(!rig.find<QLabel>(QStringLiteral("Lbl_2_1"))->isHidden());
    }

    // "Salva ed esci" while the confirmation page is still loading: the pick waits for the
    // page and its saved copy.
    void aConfirmationStillLoadingIsAwaited()
    {
        WindowRig rig;
        withDialog(rig, 1, [&](TFrm_GestioneOpzioni *d) {
            QTimer::singleShot(0, rig.main(), [&rig, this] {
                FakeWebPane *browser = rig.pane("WebBrowser1");
                browser->setSaveResult(true, confirmationPage(61, "Late", "L"));
                browser->emitTitle(PersonalPick::confirmationTitle());
                QTimer::singleShot(50, browser, [browser] { browser->emitProgress(WebPane::ProgressMax); });
                click(rig.window(QStringLiteral("Frm_RadioPersonale")), "BitBtn2");
            });
            click(d, "BitBtn3");
            QCOMPARE(*rig.main()->options().personalSlots().slot(1), (TRadio{61, QStringLiteral("Late"), QStringLiteral("L")}));
        });
        QVERIFY(rig.dialogs.errors.isEmpty());
    }

    void picksThatGiveNothing()
    {
        WindowRig rig;
        withDialog(rig, 1, [&](TFrm_GestioneOpzioni *d) {
            // A page that never confirmed a choice.
            pickWith(rig, "BitBtn3", QStringLiteral("Selezione radio personale"), confirmationPage(1, "x", "y"));
            QCOMPARE(rig.dialogs.shown, QStringList{QStringLiteral("Nessuna radio selezionata")});
            // Left with "Esci senza salvare": nothing, and no message.
            pickWith(rig, "BitBtn3", PersonalPick::confirmationTitle(), confirmationPage(1, "x", "y"), "BitBtn1");
            QCOMPARE(rig.dialogs.shown.size(), 1);
            QCOMPARE(*rig.main()->options().personalSlots().slot(1), TRadio{});
            // A saved page that ends before the station's lines: id 0, an empty slot.
            pickWith(rig, "BitBtn4", PersonalPick::confirmationTitle(), confirmationPage(12, "Short", "s", 38));
            QCOMPARE(*rig.main()->options().personalSlots().slot(2), TRadio{});
            // One that ends after the name: the caption is empty.
            pickWith(rig, "BitBtn6", PersonalPick::confirmationTitle(), confirmationPage(14, "Four", "f", 42));
            QCOMPARE(*rig.main()->options().personalSlots().slot(4), (TRadio{14, QStringLiteral("Four"), QString()}));
            // No saved page at all: the system's error, nothing changes.
            rig.pane("WebBrowser1")->setSaveResult(false);
            QTimer::singleShot(0, rig.main(), [&rig, this] {
                rig.pane("WebBrowser1")->finishLoad(PersonalPick::confirmationTitle());
                click(rig.window(QStringLiteral("Frm_RadioPersonale")), "BitBtn2");
            });
            click(d, "BitBtn5");
            QCOMPARE(rig.dialogs.errors.size(), 1);
            QCOMPARE(rig.main()->options().personalSlots().slot(3)->Id, 0);
            click(d, "BitBtn2");
        });
        // Only the station with an id is listed.
        QCOMPARE(rig.find<QLabel>(QStringLiteral("Lbl_2_1"))->toolTip(), QStringLiteral("Clicca per accedere: Four"));
        QVERIFY(rig.find<QLabel>(QStringLiteral("Lbl_2_2"))->isHidden());
    }

    void leavingWithoutSavingWritesAndKeepsNothing()
    {
        WindowRig rig;
        withDialog(rig, 0, [&](TFrm_GestioneOpzioni *d) { click(d, "BitBtn2"); });
        const QStringList before = fileLines(rig);
        withDialog(rig, 1, [&](TFrm_GestioneOpzioni *d) {
            pickWith(rig, "BitBtn3", PersonalPick::confirmationTitle(), confirmationPage(31, "Uno", "U1"));
            d->check("Chk_Msn")->setChecked(false);
            d->check("Chk_AvvioAutomatico")->setChecked(true);
            click(d, "BitBtn1");
        });
        QCOMPARE(fileLines(rig), before);
        QCOMPARE(rig.main()->options().personalSlots().slot(1)->Id, 0);
        QVERIFY(!QFile::exists(rig.autostartFolder() + QStringLiteral("Sintonia.desktop")));
    }

    void savingAppliesTheSwitchesAndTheStartupStation()
    {
        WindowRig rig;
        withDialog(rig, 0, [&](TFrm_GestioneOpzioni *d) {
            d->check("Chk_EsecuzioneRadio")->setChecked(true);
            QVERIFY(!d->findChild<QWidget *>(QStringLiteral("SpeedButton1"))->isHidden());
            pickWith(rig, "SpeedButton1", PersonalPick::confirmationTitle(), confirmationPage(88, "Avvio FM", "A"));
            QCOMPARE(d->Lbl_NomeRadio()->text(), QStringLiteral("Avvio FM"));
            d->check("Chk_AvvioAutomatico")->setChecked(true);
            d->check("Chk_Msn")->setChecked(false);
            click(d, "BitBtn2");
        });
        QStringList lines = fileLines(rig);
        QCOMPARE(lines.mid(0, 4), (QStringList{"SI", "SI", "88", "Avvio FM"}));
        QCOMPARE(lines[20], QStringLiteral("NO"));
        QCOMPARE(rig.main()->playback().messengerOption(), false);
        // A cleared messenger switch clears the desktop's notice.
        QVERIFY(!rig.notices.records.isEmpty());
        QFile entry(rig.autostartFolder() + QStringLiteral("Sintonia.desktop"));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        QVERIFY(entry.readAll().contains("Exec=\"" + QCoreApplication::applicationFilePath().toUtf8() + "\""));
        entry.close();

        // Saving again without a pick keeps lines 3 and 4; clearing the box removes the entry.
        withDialog(rig, 0, [&](TFrm_GestioneOpzioni *d) {
            d->check("Chk_AvvioAutomatico")->setChecked(false);
            click(d, "BitBtn2");
        });
        lines = fileLines(rig);
        QCOMPARE(lines.mid(0, 4), (QStringList{"NO", "SI", "88", "Avvio FM"}));
        QVERIFY(!entry.exists());
    }

    void aLanguageChoiceIsStored()
    {
        WindowRig rig;
        QAction *english = rig.find<QAction>(QStringLiteral("Francese1"));
        english->trigger();
        QCOMPARE(fileLines(rig).value(52), QStringLiteral("2"));
        // The options dialog speaks it too, rows 6 to 15 included.
        QCOMPARE(dialog(rig)->findChild<QPushButton *>(QStringLiteral("BitBtn34"))->text(),
                 dialog(rig)->findChild<QPushButton *>(QStringLiteral("BitBtn8"))->text());
        QCOMPARE(dialog(rig)->findChild<QPushButton *>(QStringLiteral("BitBtn33"))->text(),
                 dialog(rig)->findChild<QPushButton *>(QStringLiteral("BitBtn3"))->text());
    }

    void aFailedSaveLeavesTheOldFileAndSaysWhy()
    {
        WindowRig rig;
        withDialog(rig, 0, [&](TFrm_GestioneOpzioni *d) { click(d, "BitBtn2"); });
        const QString path = rig.settingsFile(OptionsFile::FileName);
        withDialog(rig, 1, [&](TFrm_GestioneOpzioni *d) {
            pickWith(rig, "BitBtn3", PersonalPick::confirmationTitle(), confirmationPage(31, "Uno", "U1"));
            // The file's place is taken by a folder: it cannot be replaced.
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir().mkpath(path + QStringLiteral("/blocker")));
            click(d, "BitBtn2");
        });
        QCOMPARE(rig.dialogs.errors.size(), 1);
        QVERIFY(!rig.dialogs.errors[0].isEmpty());
        QVERIFY(QFileInfo(path).isDir());
        // Nothing after the failure was applied.
        QVERIFY(rig.find<QLabel>(QStringLiteral("Lbl_2_1"))->isHidden());
    }

    void backAndForwardAskTheBrowserInView()
    {
        WindowRig rig;
        rig.main()->playback().setNowPlayingCode(5);
        emit rig.find<ClickableLabel>(QStringLiteral("ImgIndietro"))->clicked();
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 0);
        rig.main()->playback().setNowPlayingCode(5);
        rig.main()->Pnl_Ascolta()->setCurrentIndex(1); // the recording page has no browser
        emit rig.find<ClickableLabel>(QStringLiteral("ImgAvanti"))->clicked();
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 0);
    }

};

QTEST_MAIN(TestOptionsWindow)
#include "test_options_window.moc"
