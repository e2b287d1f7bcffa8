// Playback in the main window with fake panes: hints, the reload of hanging pages, the
// announce rule, typed addresses, the sponsor caption and the notices at close.
#include "app/frm_sintonia.h"
#include "app/windows.h"
#include "windowrig.h"
#include "platform/fakes/fakeplatform.h"
#include "platform/fakes/fakewebpane.h"
#include "platform/notice.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "service/mirrors.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QByteArray catalogue(const QByteArray &partner = {})
{
    return demoCatalogue(15, 15, {partner, "", "", ""});
}

// The windows with a full catalogue applied.
struct Rig : WindowRig
{
    explicit Rig(const QByteArray &page = catalogue()) { catalogueApplied = deliverCatalogue(page); }
    Playback &playback() const { return main()->playback(); }
    FakeWebPane *radio() const { return pane("Wb_Radio"); }
    QLabel *loadingLine() const { return main()->findChild<QLabel *>(QStringLiteral("Lbl_Caricamento")); }
    bool catalogueApplied = false;
};

} // namespace

class TestPlaybackWindow : public QObject
{
    Q_OBJECT

private slots:
    void hintAfterThePageCompletes_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("hint");
        QTest::newRow("row of list 1") << "Lbl_1_4" << 4 << "Stai ascoltando: \"Name 112\"";
        QTest::newRow("slot 4 of list 3") << "Lbl_3_4" << 44 << "Stai ascoltando: \"Name 304\"";
        QTest::newRow("search section") << "Ricercaradio1" << 16 << "Stai ascoltando: \"Altre Radio\"";
        QTest::newRow("all stations") << "Visualizzatutteleemittenti1" << 17 << "Stai ascoltando: \"Altre Radio\"";
        QTest::newRow("newsletter clears the hint") << "Newsletter1" << 18 << "";
        QTest::newRow("search link") << "Label2" << 16 << "Stai ascoltando: \"Altre Radio\"";
    }

    void hintAfterThePageCompletes()
    {
        QFETCH(QString, action);
        QFETCH(int, code);
        QFETCH(QString, hint);
        Rig rig;
        QVERIFY(rig.catalogueApplied);
        rig.main()->show();
        if (auto *item = rig.main()->findChild<QAction *>(action))
            item->trigger();
        else
            QTest::mouseClick(rig.main()->findChild<QWidget *>(action), Qt::LeftButton);
        QCOMPARE(rig.playback().NowPlayingCode(), code);
        rig.radio()->emitProgress(30);
        QVERIFY(rig.loadingLine()->isVisible());
        QCOMPARE(rig.loadingLine()->text(), QStringLiteral("Caricamento in corso"));
        rig.radio()->finishLoad(QStringLiteral("Player"));
        QVERIFY(!rig.loadingLine()->isVisible());
        QCOMPARE(rig.playback().hint(), hint);
        QCOMPARE(rig.main()->accessibleDescription(), hint);
    }

    void sectionsLoadTheirAddressesWithTheBanner()
    {
        Rig rig;
        rig.main()->findChild<QAction *>(QStringLiteral("Newsletter1"))->trigger();
        QCOMPARE(rig.radio()->navigations(), QStringList{QStringLiteral("http://127.0.0.1:47801/radio/SegnalaIndirizzo.asp")});
        QCOMPARE(rig.pane("WebBrowser2")->navigations().size(), 2); // before and inside the play
        rig.radio()->clearNavigations();
        QTest::mouseClick(rig.main()->findChild<QWidget *>(QStringLiteral("Label3")), Qt::LeftButton);
        QCOMPARE(rig.radio()->navigations(), (QStringList{QStringLiteral("About:Blank"),
                                                          QStringLiteral("http://127.0.0.1:47801/Radio/elencoAltre.asp")}));
    }

    void stationById()
    {
        Rig rig;
        rig.playback().PlayStationById(0);
        QVERIFY(rig.radio()->navigations().isEmpty());
        QVERIFY(!rig.playback().StationStarted());
        rig.playback().setNowPlayingCode(27);
        rig.playback().setPersonalName(7, QStringLiteral("Radio Sette"));
        rig.playback().PlayStationById(1234);
        QCOMPARE(rig.radio()->navigations(), QStringList{QStringLiteral("http://127.0.0.1:47801/Radio/mostraRadio.asp?Id=1234")});
        QCOMPARE(rig.playback().NowPlayingCode(), 27);
        QVERIFY(rig.playback().StationStarted());
        rig.radio()->finishLoad(QStringLiteral("x"));
        QCOMPARE(rig.playback().hint(), QStringLiteral("Stai ascoltando: \"Radio Sette\""));
    }

    void reloadOfAHangingPage()
    {
        Rig rig;
        rig.radio()->emitTitle(QStringLiteral("caricamento"));
        QVERIFY(rig.playback().reloadArmed());
        rig.radio()->emitTitle(QStringLiteral("Radio Uno"));
        QVERIFY(!rig.playback().reloadArmed());
        rig.radio()->emitTitle(QStringLiteral("CARICAMENTO"));
        QVERIFY(rig.playback().reloadArmed());
        // A new report of the title while the reload is armed leaves it running: a page that
        // repeats the title more often than the delay is still reloaded. The report comes
        // once 1.5 s have run: a timer started again would have about 5 s left (give or take
        // the 5 % slack of a coarse timer), the one left running 3.5 s at most.
        QTRY_VERIFY_WITH_TIMEOUT(rig.playback().reloadRemainingMs() <= Playback::ReloadDelayMs - 1500,
                                 Playback::ReloadDelayMs);
        rig.radio()->emitTitle(QStringLiteral("caricamento"));
        QVERIFY(rig.playback().reloadArmed());
        QVERIFY2(rig.playback().reloadRemainingMs() <= Playback::ReloadDelayMs - 1500,
                 QByteArray::number(rig.playback().reloadRemainingMs()).constData());
        QCOMPARE(rig.radio()->refreshes(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(rig.radio()->refreshes(), 1, Playback::ReloadDelayMs + 3000);
        QVERIFY(!rig.playback().reloadArmed());
    }

    void announcedName_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("announced");
        QTest::newRow("name after the mark") << "RADIO:-Radio Nove" << "Radio Nove";
        QTest::newRow("mark in any case") << "radio:-Onda" << "Onda";
        QTest::newRow("the mark alone") << "RADIO:-" << "";
        QTest::newRow("another title") << "Radio Nove" << "";
    }

    void announcedName()
    {
        QFETCH(QString, title);
        QFETCH(QString, announced);
        Rig rig;
        rig.playback().setMessengerOption(true);
        QTest::mouseClick(rig.main()->findChild<QWidget *>(QStringLiteral("Lbl_1_15")), Qt::LeftButton);
        rig.notices.records.clear();
        rig.radio()->emitTitle(title);
        QCOMPARE(rig.playback().AnnouncedName(), announced);
        QCOMPARE(rig.playback().NowPlayingCode(), announced.isEmpty() ? 15 : 18);
        QCOMPARE(rig.notices.records.size(), announced.isEmpty() ? 0 : 1);
        if (!announced.isEmpty())
            QCOMPARE(Notice::read(rig.notices.records.first()).title, announced);
    }

    void noticesFollowTheOption()
    {
        Rig rig;
        QTest::mouseClick(rig.main()->findChild<QWidget *>(QStringLiteral("Lbl_1_13")), Qt::LeftButton);
        rig.radio()->finishLoad(QStringLiteral("x"));
        QVERIFY(rig.notices.records.isEmpty()); // option off: plays send nothing
        rig.playback().setMessengerOption(true);
        rig.radio()->finishLoad(QStringLiteral("x"));
        rig.radio()->finishLoad(QStringLiteral("x"));
        QCOMPARE(rig.notices.records.size(), 2); // each completion announces again
        const Notice::Reading reading = Notice::read(rig.notices.records.last());
        QVERIFY(reading.playing);
        QCOMPARE(reading.title, QStringLiteral("Name 103"));
        QCOMPARE(reading.artist, QStringLiteral("Sintonia by 127.0.0.1:47811"));
    }

    void closeBoxClearsThreeTimesEsciOnce()
    {
        {
            Rig rig;
            rig.main()->show();
            rig.main()->close();
            QCOMPARE(rig.notices.records.size(), 2);
            rig.windows.reset();
            QCOMPARE(rig.notices.records.size(), 3);
            for (const QByteArray &record : rig.notices.records) {
                const Notice::Reading reading = Notice::read(record);
                QVERIFY(reading.valid && !reading.playing && reading.title.isEmpty());
            }
        }
        {
            Rig rig;
            rig.main()->show();
            QTimer::singleShot(0, rig.main()->findChild<QAction *>(QStringLiteral("Esci2")), &QAction::trigger);
            QTimer::singleShot(5000, qApp, [] { QCoreApplication::exit(1); });
            QCOMPARE(QCoreApplication::exec(), 0);
            QCOMPARE(rig.notices.records.size(), 0);
            rig.windows.reset();
            QCOMPARE(rig.notices.records.size(), 1);
        }
    }

    void wildTitlesStayReadable()
    {
        Rig rig;
        rig.playback().setMessengerOption(true);
        const QString wild = QStringLiteral("RADIO:-") + QString(100000, QLatin1Char('w')) + QStringLiteral("\n\t\x01");
        rig.radio()->emitTitle(wild);
        QCOMPARE(rig.playback().NowPlayingCode(), 18);
        // Too long for the notice: it goes out empty.
        QCOMPARE(rig.notices.records.last(), QByteArray(256, '\0'));
        rig.playback().setNowPlayingCode(19);
        rig.radio()->finishLoad(QStringLiteral("x"));
        rig.playback().setNowPlayingCode(18);
        rig.pane("WB_SponsorAggiuntivi")->emitTitle(wild);
        QVERIFY(rig.main()->windowTitle().size() <= 250);
    }

    void typedAddresses_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("loaded");
        QTest::addColumn<bool>("message");
        QTest::newRow("bare host") << "www.example.org" << "http://www.example.org" << false;
        QTest::newRow("full address") << "https://radio.example/live?x=1" << "https://radio.example/live?x=1" << false;
        QTest::newRow("space and bar, as typed") << "http://radio.example/live stream.asp?Id=1|2"
                                                 << "http://radio.example/live stream.asp?Id=1|2" << false;
        QTest::newRow("blank answer") << "   " << "" << false;
        QTest::newRow("not an address") << "::: no address :::" << "" << true;
        QTest::newRow("a file") << "/etc/passwd" << "" << true;
        QTest::newRow("script") << "javascript:alert(1)" << "" << true;
    }

    void typedAddresses()
    {
        QFETCH(QString, typed);
        QFETCH(QString, loaded);
        QFETCH(bool, message);
        Rig rig;
        rig.dialogs.inputAnswers = {typed};
        rig.main()->findChild<QAction *>(QStringLiteral("Radioositowebpersonale1"))->trigger();
        QCOMPARE(rig.dialogs.prompts, QStringList{QStringLiteral("Sito Web:")});
        QCOMPARE(rig.radio()->navigations(), loaded.isEmpty() ? QStringList{} : QStringList{loaded});
        QCOMPARE(rig.playback().NowPlayingCode(), loaded.isEmpty() ? -1 : 19);
        QCOMPARE(rig.dialogs.shown.size(), message ? 1 : 0);
        if (!loaded.isEmpty()) {
            rig.radio()->finishLoad(QStringLiteral("x"));
            QCOMPARE(rig.playback().hint(), QStringLiteral("Stai ascoltando: \"Radio personale\""));
        }
    }

    void cancelledAddressChangesNothing()
    {
        Rig rig;
        rig.main()->findChild<QAction *>(QStringLiteral("Radioositowebpersonale1"))->trigger();
        QVERIFY(rig.radio()->navigations().isEmpty());
        QVERIFY(!rig.playback().StationStarted());
    }

    void sponsorTitleSetsTheCaption()
    {
        {
            Rig rig; // no partner name
            rig.pane("WB_SponsorAggiuntivi")->emitTitle(QStringLiteral("Sponsor"));
            QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Sintonia by Ventaglio - \"Versione 4.5\""));
        }
        {
            Rig rig(catalogue("Onde Italiane"));
            QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Sintonia for Onde Italiane"));
            rig.pane("WB_SponsorAggiuntivi")->emitTitle(QStringLiteral("Sponsor"));
            QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Sintonia for Onde Italiane"));
            rig.main()->setWindowTitle(QStringLiteral("Sintonia by Ventaglio - \"Versione 4.5\""));
            rig.pane("WB_SponsorAggiuntivi")->emitTitle(QStringLiteral("Sponsor"));
            QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Sintonia for Sponsor"));
        }
    }

    void captionFollowsTheHintInTheCompactStrip()
    {
        Rig rig;
        rig.main()->show();
        auto *strip = new QWidget(rig.main());
        strip->setObjectName(QStringLiteral("Pnl_Ridotto"));
        strip->show();
        QTest::mouseClick(rig.main()->findChild<QWidget *>(QStringLiteral("Lbl_1_15")), Qt::LeftButton);
        rig.radio()->finishLoad(QStringLiteral("x"));
        QCOMPARE(rig.main()->windowTitle(), QStringLiteral("Stai ascoltando: \"Name 101\""));
    }
};

QTEST_MAIN(TestPlaybackWindow)
#include "test_playback_window.moc"
