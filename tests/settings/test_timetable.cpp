// The timetable: typed times, the file, the order of the rows, and the timer that reports
// every minute exactly once by the clock.
#include "platform/clock.h"
#include "settings/timetable.h"
#include "settings/timetabletimer.h"

#include <QSignalSpy>
#include <QTest>

namespace {

class SetClock final : public WallClock
{
public:
    QDateTime localNow() const override { return now; }
    QDateTime now{QDate(2026, 12, 10), QTime(8, 0, 30)};
};

TimetableEntry entry(const QString &time, const QString &name)
{
    const QTime t = *TimeEntry::parse(time, QLocale::c());
    return TimetableEntry{TimeEntry::displayText(t, QLocale::c()), TimeEntry::key(t), QStringLiteral("1"), name,
                          QStringLiteral("c")};
}

QStringList names(const Timetable &t)
{
    QStringList out;
    for (int r = 1; r <= t.rowCount(); ++r)
        out << t.row(r)->name;
    return out;
}

QStringList reported(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &call : spy)
        out << call.at(0).toString();
    return out;
}

} // namespace

class TestTimetable : public QObject
{
    Q_OBJECT

private slots:
    void parsesTypedTimes_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("key"); // empty: refused
        QTest::newRow("9.30") << "9.30" << "0930";
        QTest::newRow("09.30") << "09.30" << "0930";
        QTest::newRow("9.30.15") << "9.30.15" << "0930";
        QTest::newRow("21:30") << "21:30" << "2130";
        QTest::newRow("21.30 with blanks") << " 21.30 " << "2130";
        QTest::newRow("0.00") << "0.00" << "0000";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("hh.mm") << "hh.mm" << "";
        QTest::newRow("text") << "nove e mezza" << "";
        QTest::newRow("hour 24") << "24.00" << "";
        QTest::newRow("minute 60") << "21.60" << "";
        QTest::newRow("no minutes") << "21" << "";
        QTest::newRow("four parts") << "1.2.3.4" << "";
        QTest::newRow("huge") << QString(100000, QLatin1Char('9')) << "";
    }

    void parsesTypedTimes()
    {
        QFETCH(QString, answer);
        QFETCH(QString, key);
        const std::optional<QTime> time = TimeEntry::parse(answer, QLocale::c());
        QCOMPARE(time ? TimeEntry::key(*time) : QString(), key);
    }

    void showsTheLongTimeAndEditsWithoutSeconds()
    {
        QCOMPARE(TimeEntry::displayText(QTime(21, 30), QLocale::c()), QStringLiteral("21:30:00"));
        QCOMPARE(TimeEntry::editDefault(QStringLiteral("21.30.00")), QStringLiteral("21.30"));
        QCOMPARE(TimeEntry::editDefault(QStringLiteral("")), QStringLiteral(""));
    }

    void loadsAndSavesFiveLinesAnEntry()
    {
        Timetable t;
        t.load({"21.30.00", "2130", "5", "Five", "F", "08.15.00", "0815", "6", "Six", "S"});
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(*t.row(2), (TimetableEntry{"08.15.00", "0815", "6", "Six", "S"}));
        QCOMPARE(t.save().size(), 10);

        // A file cut in the middle of an entry keeps what it holds.
        t.load({"21.30.00", "2130", "5"});
        QCOMPARE(*t.row(1), (TimetableEntry{"21.30.00", "2130", "5", "", ""}));
        // An empty file is one empty row, saved as nothing.
        t.load({});
        QVERIFY(t.isEmpty());
        QCOMPARE(t.save(), QStringList());
        // A record without a time is taken over by the next one, as it always was.
        t.load({"", "0000", "1", "Lost", "L", "07.00.00", "0700", "2", "Kept", "K"});
        QCOMPARE(t.rowCount(), 1);
        QCOMPARE(t.row(1)->name, QStringLiteral("Kept"));
    }

    void savingKeepsEveryEntryWhateverFollowsIt()
    {
        Timetable t;
        // The last record has no time: the entries before it are saved all the same.
        t.load({"07.00.00", "0700", "2", "Kept", "K", "", "", "", "", ""});
        QCOMPARE(t.rowCount(), 2);
        QCOMPARE(t.save(), (QStringList{"07.00.00", "0700", "2", "Kept", "K"}));
    }

    void addsInKeyOrderAndDeletesAnywhere()
    {
        Timetable t;
        t.add(entry(QStringLiteral("21.00"), QStringLiteral("a")));
        QCOMPARE(t.rowCount(), 1); // the empty row 1 is used
        t.add(entry(QStringLiteral("08.15"), QStringLiteral("b")));
        t.add(entry(QStringLiteral("12.00"), QStringLiteral("c")));
        QCOMPARE(names(t), (QStringList{"b", "c", "a"}));
        QCOMPARE(t.row(1)->displayTime, QStringLiteral("08:15:00"));
        // Same key: the later one follows, and both are due in row order.
        t.add(entry(QStringLiteral("12.00"), QStringLiteral("d")));
        QCOMPARE(names(t), (QStringList{"b", "c", "d", "a"}));
        QCOMPARE(t.dueRows(QStringLiteral("1200")), (QList<int>{2, 3}));

        t.remove(2); // middle
        QCOMPARE(names(t), (QStringList{"b", "d", "a"}));
        t.remove(3); // last
        t.remove(1); // first
        QCOMPARE(names(t), QStringList{"d"});
        t.remove(1); // the only one: one empty row stays
        QVERIFY(t.isEmpty());
        t.remove(7); // out of range: nothing
        QCOMPARE(t.rowCount(), 1);
    }

    void emptyKeysSortFirst()
    {
        Timetable t;
        t.load({"21.00.00", "2100", "1", "late", "", "x", "", "2", "no key", ""});
        t.sort();
        QCOMPARE(names(t), (QStringList{"no key", "late"}));
    }

    void theTimerReportsEveryMinuteOnce()
    {
        SetClock clock;
        TimetableTimer timer(clock);
        QSignalSpy due(&timer, &TimetableTimer::minuteDue);
        timer.setEnabled(true);
        timer.TimerRadioTimer();
        QCOMPARE(reported(due), QStringList{"0800"});
        // The next wake-up is asked for just after the next minute begins.
        QVERIFY(qAbs(timer.remainingMs() - (30'000 + TimetableTimer::WakeDelayMs)) < 1000);

        // Woken early or twice in the same minute: nothing more.
        clock.now = clock.now.addSecs(29);
        timer.TimerRadioTimer();
        timer.TimerRadioTimer();
        QCOMPARE(due.size(), 1);
        // Late: the minute is still reported, once.
        clock.now = QDateTime(clock.now.date(), QTime(8, 1, 40));
        timer.TimerRadioTimer();
        timer.TimerRadioTimer();
        QCOMPARE(reported(due), (QStringList{"0800", "0801"}));
        // The event loop was busy for three minutes: the minutes missed come now, in order.
        clock.now = QDateTime(clock.now.date(), QTime(8, 4, 5));
        timer.TimerRadioTimer();
        QCOMPARE(reported(due).mid(2), (QStringList{"0802", "0803", "0804"}));
        // After a long gap (a suspended machine) only the current minute.
        due.clear();
        clock.now = QDateTime(clock.now.date(), QTime(11, 0, 1));
        timer.TimerRadioTimer();
        QCOMPARE(reported(due), QStringList{"1100"});
        // A clock set back a little: those minutes are not reported twice.
        clock.now = QDateTime(clock.now.date(), QTime(10, 58, 1));
        timer.TimerRadioTimer();
        QCOMPARE(due.size(), 1);
        // Past midnight.
        due.clear();
        clock.now = QDateTime(QDate(2026, 12, 10), QTime(23, 59, 0));
        timer.setEnabled(false);
        timer.setEnabled(true);
        timer.TimerRadioTimer();
        clock.now = QDateTime(QDate(2026, 12, 11), QTime(0, 0, 0, 300));
        timer.TimerRadioTimer();
        QCOMPARE(reported(due), (QStringList{"2359", "0000"}));
    }

    void theTimerWakesByItself()
    {
        SetClock clock;
        TimetableTimer timer(clock);
        QSignalSpy due(&timer, &TimetableTimer::minuteDue);
        timer.setEnabled(true);
        QVERIFY(due.wait(2000));
        timer.setEnabled(true); // on again: nothing new
        QTest::qWait(50);
        QCOMPARE(due.size(), 1);
        timer.setEnabled(false);
        clock.now = clock.now.addSecs(60);
        timer.TimerRadioTimer();
        QCOMPARE(due.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestTimetable)
#include "test_timetable.moc"
