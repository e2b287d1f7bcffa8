// The desktop's media controls on the main window, with fake panes: next and previous walk
// the list the station came from, play plays the last station again the way it was played,
// pause and stop leave the listening pane silent, raise and quit do what the window does.
#include "app/frm_sintonia.h"
#include "app/windowmodes.h"
#include "windowrig.h"
#include "platform/notice.h"
#include "playback/mediacontrol.h"
#include "playback/playback.h"
#include "service/cataloguecapture.h"
#include "settings/favourites.h"
#include "settings/options.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

constexpr int SettleTimeoutMs = 5000;

QString stationPage(int id)
{
    return QStringLiteral("http://127.0.0.1:47801/Radio/mostraRadio.asp?Id=%1").arg(id);
}

// The catalogue's station ids (see demoCatalogue): slot k of list 1 holds record 16 - k.
int catalogueId(int list, int slot)
{
    return list == 1 ? 100 + 16 - slot : 300 + slot;
}

struct MediaRig : WindowRig
{
    MediaControl &media() const { return main()->media(); }
    FakeWebPane *radio() const { return pane("Wb_Radio"); }
    // Personal stations 1..n with ids 901..900+n, shown in the favourites list.
    void setFavourites(int n)
    {
        PersonalSlots &stations = main()->options().personalSlots();
        for (int k = 1; k <= PersonalSlotCount; ++k)
            *stations.slot(k) = k <= n ? TRadio{900 + k, QStringLiteral("Fav %1").arg(k), QStringLiteral("F%1").arg(k)}
                                    : TRadio{};
        for (int k = 1; k <= PersonalSlotCount; ++k)
            main()->playback().setPersonalName(k, stations.slot(k)->Name);
        main()->favourites().RefreshFavourites();
        media().refresh();
    }
    void click(const QString &row) const { QTest::mouseClick(find<QWidget>(row), Qt::LeftButton); }
    // Waits for the media controls to settle; the station pages asked for meanwhile.
    QStringList settle() const
    {
        if (!QTest::qWaitFor([this] { return !media().settling(); }, SettleTimeoutMs))
            return {QStringLiteral("(still settling)")};
        return radio()->navigations();
    }
};

} // namespace

class TestMediaWindow : public QObject
{
    Q_OBJECT

private slots:
    void walk_data()
    {
        QTest::addColumn<int>("list1");     // stations in catalogue list 1 (0: no catalogue)
        QTest::addColumn<int>("favourites");
        QTest::addColumn<QString>("row");   // the row played first
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("playedId");  // 0: nothing is played
        QTest::addColumn<bool>("canGoNext");
        QTest::addColumn<bool>("canGoPrevious");

        // Down the screen: list 1 shows slot 15 at the top, the favourites slot 1.
        QTest::newRow("list 1, next") << 15 << 0 << "Lbl_1_15" << 1 << catalogueId(1, 14) << true << true;
        QTest::newRow("list 1, three on") << 15 << 0 << "Lbl_1_15" << 3 << catalogueId(1, 12) << true << true;
        QTest::newRow("list 1, previous") << 15 << 0 << "Lbl_1_8" << -1 << catalogueId(1, 9) << true << true;
        QTest::newRow("list 1, previous at the top") << 15 << 0 << "Lbl_1_15" << -1 << 0 << true << false;
        QTest::newRow("list 1, next at the bottom") << 15 << 0 << "Lbl_1_1" << 1 << 0 << false << true;
        QTest::newRow("list 1, past the end") << 15 << 0 << "Lbl_1_3" << 40 << catalogueId(1, 1) << false << true;
        QTest::newRow("short list 1, next after the last") << 5 << 0 << "Lbl_1_11" << 1 << 0 << false << true;
        QTest::newRow("list 3, next") << 15 << 0 << "Lbl_3_10" << 1 << catalogueId(3, 9) << true << true;
        QTest::newRow("favourites, next") << 15 << 3 << "Lbl_2_1" << 1 << 902 << true << true;
        QTest::newRow("favourites, two on") << 15 << 3 << "Lbl_2_1" << 2 << 903 << false << true;
        QTest::newRow("favourites, next at the end") << 15 << 3 << "Lbl_2_3" << 1 << 0 << false << true;
        QTest::newRow("favourites, previous at the top") << 15 << 3 << "Lbl_2_1" << -1 << 0 << true << false;
        QTest::newRow("one favourite") << 15 << 1 << "Lbl_2_1" << 1 << 0 << false << false;
        QTest::newRow("favourite, then the list emptied") << 15 << -3 << "Lbl_2_2" << 1 << 0 << false << false;
        QTest::newRow("catalogue not arrived") << 0 << 0 << "" << 1 << 0 << false << false;
        QTest::newRow("nothing played") << 15 << 3 << "" << -1 << 0 << false << false;
    }

    void walk()
    {
        QFETCH(int, list1);
        QFETCH(int, favourites);
        QFETCH(QString, row);
        QFETCH(int, steps);
        QFETCH(int, playedId);
        QFETCH(bool, canGoNext);
        QFETCH(bool, canGoPrevious);
        MediaRig rig;
        if (list1 > 0)
            QVERIFY(rig.deliverCatalogue(demoCatalogue(list1, 15)));
        rig.setFavourites(qAbs(favourites));
        if (!row.isEmpty())
            rig.click(row);
        if (favourites < 0)
            rig.setFavourites(0);
        rig.radio()->clearNavigations();
        const int notices = int(rig.notices.records.size());

        rig.media().step(steps);
        const QStringList asked = rig.settle();
        QCOMPARE(asked, playedId ? QStringList{stationPage(playedId)} : QStringList());
        if (playedId > 900)
            QCOMPARE(rig.main()->playback().NowPlayingCode(), 20 + playedId - 900);
        QCOMPARE(rig.media().state().canGoNext, canGoNext);
        QCOMPARE(rig.media().state().canGoPrevious, canGoPrevious);
        // Keys that find nothing to do say nothing.
        QVERIFY(rig.dialogs.shown.isEmpty());
        QVERIFY(rig.dialogs.errors.isEmpty());
        if (!playedId)
            QCOMPARE(rig.notices.records.size(), notices);
    }

    void nextIsTheRowBelowOnScreen()
    {
        MediaRig rig;
        QVERIFY(rig.deliverCatalogue(demoCatalogue(15, 15)));
        for (int list : {1, 3}) {
            rig.click(QStringLiteral("Lbl_%1_8").arg(list));
            rig.radio()->clearNavigations();
            rig.media().step(1);
            const QStringList asked = rig.settle();
            QCOMPARE(asked.size(), 1);
            const int id = asked.first().section(QLatin1Char('='), -1).toInt();
            const int slot = list == 1 ? 116 - id : id - 300;
            const auto *from = rig.find<QLabel>(QStringLiteral("Lbl_%1_8").arg(list));
            const auto *to = rig.find<QLabel>(QStringLiteral("Lbl_%1_%2").arg(list).arg(slot));
            QVERIFY(to && from);
            QVERIFY2(to->y() > from->y(), qPrintable(QStringLiteral("list %1: slot %2 at %3, slot 8 at %4")
                                                         .arg(list).arg(slot).arg(to->y()).arg(from->y())));
        }
    }

    void burstPlaysOnlyTheLast()
    {
        MediaRig rig;
        QVERIFY(rig.deliverCatalogue(demoCatalogue(15, 15)));
        rig.click(QStringLiteral("Lbl_1_15"));
        rig.radio()->clearNavigations();
        for (int i = 0; i < 6; ++i)
            rig.media().step(1);
        rig.media().step(-2);
        QVERIFY(rig.media().settling());
        QCOMPARE(rig.media().state().status, Media::Status::Playing);
        QVERIFY(rig.radio()->navigations().isEmpty()); // nothing until the burst settles
        QCOMPARE(rig.settle(), QStringList{stationPage(catalogueId(1, 11))});
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 11);
    }

    void pauseStopAndPlayAgain_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<QStringList>("replayed"); // what Play asks the listening pane for
        QTest::addColumn<int>("code");
        QTest::newRow("catalogue row") << "Lbl_3_4" << QStringList{stationPage(304)} << 44;
        QTest::newRow("favourite") << "Lbl_2_2" << QStringList{stationPage(902)} << 22;
        QTest::newRow("section") << "Ricercaradio1"
                                 << QStringList{QStringLiteral("http://127.0.0.1:47801/Radio/ricercaRadio.asp")} << 16;
    }

    void pauseStopAndPlayAgain()
    {
        QFETCH(QString, row);
        QFETCH(QStringList, replayed);
        QFETCH(int, code);
        MediaRig rig;
        QVERIFY(rig.deliverCatalogue(demoCatalogue(15, 15)));
        rig.setFavourites(3);
        rig.main()->playback().setMessengerOption(true);
        if (auto *item = rig.find<QAction>(row))
            item->trigger();
        else
            rig.click(row);
        rig.radio()->finishLoad(QStringLiteral("Player"));
        QCOMPARE(rig.media().state().status, Media::Status::Playing);
        QVERIFY(!rig.main()->playback().hint().isEmpty());
        const QString hint = rig.main()->playback().hint();

        rig.radio()->clearNavigations();
        rig.media().command(Media::Command::Pause);
        QCOMPARE(rig.radio()->navigations(), QStringList{QStringLiteral("about:blank")});
        QCOMPARE(rig.media().state().status, Media::Status::Paused);
        QVERIFY(rig.media().state().canPlay);
        QVERIFY(!rig.media().state().canPause);
        const int notices = int(rig.notices.records.size());
        rig.radio()->finishLoad(QString());
        QCOMPARE(rig.main()->playback().hint(), QString()); // nothing plays: nothing named
        QCOMPARE(rig.notices.records.size(), notices);      // and the desktop keeps the name
        rig.media().command(Media::Command::Pause);         // once is enough
        QCOMPARE(rig.radio()->navigations().size(), 1);

        rig.radio()->clearNavigations();
        rig.media().command(Media::Command::Play);
        QCOMPARE(rig.media().state().status, Media::Status::Playing);
        QCOMPARE(rig.settle(), replayed);
        QCOMPARE(rig.main()->playback().NowPlayingCode(), code);
        rig.radio()->finishLoad(QStringLiteral("Player"));
        QCOMPARE(rig.main()->playback().hint(), hint);

        // Stop: silent, and the desktop is told that nothing plays.
        rig.radio()->clearNavigations();
        rig.media().command(Media::Command::Stop);
        QCOMPARE(rig.radio()->navigations(), QStringList{QStringLiteral("about:blank")});
        QCOMPARE(rig.media().state().status, Media::Status::Stopped);
        const Notice::Reading cleared = Notice::read(rig.notices.records.last());
        QVERIFY(cleared.valid && !cleared.playing);
        rig.media().command(Media::Command::Pause); // a pause does not make a stop a pause
        QCOMPARE(rig.media().state().status, Media::Status::Stopped);

        // Play and pause at once: the pane is not asked for the station at all.
        rig.radio()->clearNavigations();
        rig.media().command(Media::Command::PlayPause);
        rig.media().command(Media::Command::PlayPause);
        QVERIFY(!rig.media().settling());
        QVERIFY(rig.radio()->navigations().isEmpty());
        QCOMPARE(rig.media().state().status, Media::Status::Paused);
    }

    void historyBackAfterAPausePlaysAgain()
    {
        MediaRig rig;
        QVERIFY(rig.deliverCatalogue(demoCatalogue(15, 15)));
        rig.click(QStringLiteral("Lbl_1_15"));
        rig.radio()->finishLoad(QStringLiteral("Player"));
        rig.media().command(Media::Command::Pause);
        rig.radio()->finishLoad(QString());
        QCOMPARE(rig.media().state().status, Media::Status::Paused);
        // The arrow back takes the listening pane from the silent page to the station's.
        rig.click(QStringLiteral("ImgIndietro"));
        QCOMPARE(rig.radio()->backs(), 1);
        QCOMPARE(rig.media().state().status, Media::Status::Playing);
        QVERIFY(rig.media().state().canPause);
        // And a pause silences it again.
        rig.radio()->clearNavigations();
        rig.media().command(Media::Command::Pause);
        QCOMPARE(rig.radio()->navigations(), QStringList{QStringLiteral("about:blank")});
    }

    void keysBeforeAnythingPlayedDoNothing()
    {
        MediaRig rig; // no catalogue has arrived
        for (Media::Command command : {Media::Command::Play, Media::Command::PlayPause, Media::Command::Pause,
                                       Media::Command::Stop}) {
            rig.media().command(command);
            QVERIFY(!rig.media().settling());
        }
        rig.media().step(1);
        rig.media().step(-1);
        QVERIFY(!rig.media().settling());
        QVERIFY(rig.radio()->navigations().isEmpty());
        QCOMPARE(rig.media().state(), Media::State());
        QVERIFY(rig.notices.records.isEmpty());
        QVERIFY(rig.dialogs.shown.isEmpty());
    }

    void aStationClickedWhileSettlingWins()
    {
        MediaRig rig;
        QVERIFY(rig.deliverCatalogue(demoCatalogue(15, 15)));
        rig.click(QStringLiteral("Lbl_1_15"));
        rig.media().step(1);
        rig.radio()->clearNavigations();
        rig.click(QStringLiteral("Lbl_3_2"));
        QVERIFY(!rig.media().settling()); // the step asked before will not come later
        QCOMPARE(rig.radio()->navigations(), QStringList{stationPage(302)});
    }

    void raiseAndQuit()
    {
        MediaRig rig;
        rig.main()->show();
        rig.main()->modes().HideToTray();
        rig.main()->hide();
        QVERIFY(!rig.main()->isVisible());
        rig.media().command(Media::Command::Raise);
        QVERIFY(rig.main()->isVisible());

        // Quit ends the program's loop with 0, as "Esci" does.
        QTimer::singleShot(0, rig.main(), [&rig] { rig.media().command(Media::Command::Quit); });
        QTimer limit;
        limit.setSingleShot(true);
        connect(&limit, &QTimer::timeout, this, [] { QCoreApplication::exit(99); });
        limit.start(10000);
        QCOMPARE(QCoreApplication::exec(), 0);
    }

    void stateChangesAreTold()
    {
        MediaRig rig;
        QVERIFY(rig.deliverCatalogue(demoCatalogue(15, 15)));
        QSignalSpy changes(&rig.media(), &MediaControl::stateChanged);
        rig.click(QStringLiteral("Lbl_1_15"));
        QCOMPARE(changes.size(), 1);
        QCOMPARE(changes.last().first().value<Media::State>().status, Media::Status::Playing);
        rig.media().command(Media::Command::Play); // already playing: no change, no word
        QCOMPARE(changes.size(), 1);
        rig.media().command(Media::Command::Pause);
        QCOMPARE(changes.size(), 2);
        // A new catalogue without the list's other stations: the controls learn it.
        QVERIFY(rig.media().state().canGoNext);
        rig.main()->catalogue().Reset();
        QVERIFY(rig.deliverCatalogue(demoCatalogue(1, 15)));
        QVERIFY(!rig.media().state().canGoNext);
        QCOMPARE(changes.size(), 3);
    }
};

QTEST_MAIN(TestMediaWindow)
#include "test_media_window.moc"
