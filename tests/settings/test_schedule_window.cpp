// The timetable page of the options dialog and TimerRadio, in the real windows with fake
// panes, scripted boxes and a clock the test sets.
#include "windowrig.h"

#include "platform/textfile.h"
#include "playback/playback.h"
#include "settings/frm_gestioneopzioni.h"
#include "settings/options.h"
#include "settings/personalpick.h"
#include "settings/schedule.h"
#include "settings/stationpicker.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

QByteArray confirmationPage(qint32 id, const QByteArray &name)
{
    QList<QByteArray> page(45, QByteArray("<p>"));
    page[38] = QByteArray::number(id);
    page[40] = name;
    page[42] = name.left(3);
    return page.join("\r\n");
}

QStringList shownRows(const WindowRig &rig)
{
    QStringList rows;
    const Timetable &t = rig.main()->schedule().timetable();
    for (int r = 1; r <= t.rowCount(); ++r)
        rows << t.row(r)->displayTime + QLatin1Char(' ') + t.row(r)->name;
    return rows;
}

} // namespace

class TestScheduleWindow : public QObject
{
    Q_OBJECT

    TFrm_GestioneOpzioni *dialog(WindowRig &rig) { return rig.main()->options().dialog(); }

    // The scheduled-station picker answers, once it is shown, with station `id` (or with
    // no confirmed choice when `id` is negative).
    void answerPicker(WindowRig &rig, qint32 id, const QByteArray &name)
    {
        QTimer::singleShot(0, rig.main(), [&rig, id, name] {
            auto *picker = qobject_cast<StationPicker *>(rig.window(QStringLiteral("Frm_RadioProgrammata")));
            QVERIFY(picker && picker->isVisible());
            auto *browser = static_cast<FakeWebPane *>(&picker->browser());
            browser->setSaveResult(true, confirmationPage(id, name));
            browser->finishLoad(id < 0 ? QStringLiteral("Ricerca") : PersonalPick::confirmationTitle());
            picker->findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
        });
    }

    void add(WindowRig &rig, const QString &time, qint32 id, const QByteArray &name)
    {
        rig.dialogs.inputAnswers << time;
        answerPicker(rig, id, name);
        dialog(rig)->findChild<QPushButton *>(QStringLiteral("BitBtn14"))->click();
    }

    // Runs `inside` on the open dialog, page "Radio in PlayList", then saves.
    void onPage(WindowRig &rig, const std::function<void()> &inside, bool save = true)
    {
        QTimer::singleShot(0, rig.main(), [&] {
            inside();
            save ? dialog(rig)->accept() : dialog(rig)->reject();
        });
        rig.main()->ShowOptions(2);
    }

private slots:
    void addingSortsAndSaves()
    {
        WindowRig rig;
        QVERIFY(QFile::exists(rig.settingsFile("Progrvtg.txt"))); // made empty at the dialog's creation
        onPage(rig, [&] {
            QCOMPARE(dialog(rig)->PageControl1()->currentIndex(), 2);
            add(rig, QStringLiteral("21.00"), 21, "Sera");
            add(rig, QStringLiteral("08.15"), 8, "Mattina");
            add(rig, QStringLiteral("12:00"), 12, "Pranzo");
        });
        QCOMPARE(shownRows(rig), (QStringList{"08:15:00 Mattina", "12:00:00 Pranzo", "21:00:00 Sera"}));
        auto *grid = dialog(rig)->findChild<QTableView *>(QStringLiteral("StrGrd_TimerTmp"));
        QCOMPARE(grid->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Ora"));
        QCOMPARE(grid->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Emittente"));
        QCOMPARE(grid->model()->index(0, 1).data().toString(), QStringLiteral("Mattina"));
        const QStringList file = *TextFile::readLines(rig.settingsFile("Progrvtg.txt"));
        QCOMPARE(file.mid(0, 5), (QStringList{"08:15:00", "0815", "8", "Mattina", "Mat"}));
        QCOMPARE(file.size(), 15);
        QVERIFY(rig.dialogs.shown.isEmpty());
    }

    void refusedAnswersChangeNothing()
    {
        WindowRig rig;
        onPage(rig, [&] {
            auto *addButton = dialog(rig)->findChild<QPushButton *>(QStringLiteral("BitBtn14"));
            rig.dialogs.inputAnswers << QString(); // cancelled: the default "hh.mm" comes back
            addButton->click();
            rig.dialogs.inputAnswers << QStringLiteral("");
            addButton->click();
            rig.dialogs.inputAnswers << QStringLiteral("le nove");
            addButton->click();
            QCOMPARE(rig.dialogs.shown, (QStringList{"Operazione annullata", "Operazione annullata",
                                                     "Errore nel formato dell'ora inserito"}));
            // A station without an id, and a page left without a choice.
            add(rig, QStringLiteral("9.30"), 0, "Zero");
            QCOMPARE(rig.dialogs.shown.last(), QStringLiteral("Errore nella selezione"));
            add(rig, QStringLiteral("9.30"), -1, "None");
            QCOMPARE(rig.dialogs.shown.last(), QStringLiteral("Nessuna radio selezionata"));
        });
        QVERIFY(rig.main()->schedule().timetable().isEmpty());
    }

    void editingTimeResortsAndStationKeepsItsPlace()
    {
        WindowRig rig;
        onPage(rig, [&] {
            add(rig, QStringLiteral("08.00"), 1, "Uno");
            add(rig, QStringLiteral("09.00"), 2, "Due");
            auto *grid = dialog(rig)->findChild<QTableView *>(QStringLiteral("StrGrd_TimerTmp"));
            // The default of the edit is the time without its seconds.
            rig.dialogs.inputAnswers << QStringLiteral("10.00");
            emit grid->activated(grid->model()->index(0, 0));
            QCOMPARE(rig.dialogs.prompts.size(), 3);
            QCOMPARE(shownRows(rig), (QStringList{"09:00:00 Due", "10:00:00 Uno"}));
            answerPicker(rig, 3, "Tre");
            emit grid->activated(grid->model()->index(0, 1));
            QCOMPARE(shownRows(rig), (QStringList{"09:00:00 Tre", "10:00:00 Uno"}));
            // Deleting the selected row.
            grid->setCurrentIndex(grid->model()->index(1, 0));
            dialog(rig)->findChild<QPushButton *>(QStringLiteral("BitBtn13"))->click();
            QCOMPARE(shownRows(rig), QStringList{"09:00:00 Tre"});
        });
    }

    // Two entries in one minute both fire, in row order; with the switch off nothing fires.
    void dueEntriesPlayInRowOrder()
    {
        WindowRig rig;
        QCOMPARE(TextFile::writeLines(rig.settingsFile("Progrvtg.txt"),
                                      {"08.01.00", "0801", "11", "Primo", "P", "08.01.00", "0801", "12", "Secondo", "S",
                                       "09.00.00", "0900", "x", "Senza id", "N"}),
                 QString());
        QStringList options(53);
        options[21] = QStringLiteral("SI"); // the timetable switch
        QCOMPARE(TextFile::writeLines(rig.settingsFile("OpzSN.txt"), options), QString());
        rig.wallClock.now = QDateTime(QDate(2026, 12, 10), QTime(8, 0, 30));
        rig.restart();
        TimetableTimer &timer = rig.main()->schedule().timer();
        QVERIFY(timer.isEnabled());
        FakeWebPane *radio = rig.pane("Wb_Radio");
        timer.TimerRadioTimer();
        QVERIFY(radio->navigations().isEmpty());

        rig.wallClock.now = QDateTime(QDate(2026, 12, 10), QTime(8, 1, 0, 200));
        timer.TimerRadioTimer();
        timer.TimerRadioTimer(); // a second wake-up in the same minute
        QCOMPARE(radio->navigations().size(), 2);
        QVERIFY(radio->navigations()[0].endsWith(QStringLiteral("?Id=11")));
        QVERIFY(radio->navigations()[1].endsWith(QStringLiteral("?Id=12")));
        QCOMPARE(rig.main()->playback().NowPlayingCode(), 20);
        radio->finishLoad(QStringLiteral("x"));
        QVERIFY(rig.main()->playback().hint().contains(QStringLiteral("Secondo")));

        // An id that is not a number plays nothing.
        rig.wallClock.now = QDateTime(QDate(2026, 12, 10), QTime(9, 0, 1));
        timer.TimerRadioTimer();
        QCOMPARE(radio->navigations().size(), 2);

        // Switched off in the dialog: the entries stay and are saved, nothing fires.
        onPage(rig, [&] { dialog(rig)->check("Chk_Emittenti")->setChecked(false); });
        QVERIFY(!timer.isEnabled());
        QCOMPARE(TextFile::readLines(rig.settingsFile("Progrvtg.txt"))->size(), 15);
        rig.wallClock.now = QDateTime(QDate(2026, 12, 11), QTime(8, 1, 0));
        timer.TimerRadioTimer();
        QCOMPARE(radio->navigations().size(), 2);
    }

    void leavingWithoutSavingKeepsTheFile()
    {
        WindowRig rig;
        onPage(rig, [&] { add(rig, QStringLiteral("07.00"), 7, "Sette"); }, false);
        QCOMPARE(TextFile::readLines(rig.settingsFile("Progrvtg.txt"))->size(), 0);
        // Nor does the entry stay in force until the next opening.
        QVERIFY(rig.main()->schedule().timetable().isEmpty());
    }
};

QTEST_MAIN(TestScheduleWindow)
#include "test_schedule_window.moc"
