// Figures for a timetable of 10 000 entries: reading the file, sorting, one tick of the
// timer, and the dialog's grid taking the whole timetable. Prints figures only; nothing
// fails on them.
//
//   QT_QPA_PLATFORM=offscreen sintonia-timetable-bench [entries] [repetitions]

#include "platform/textfile.h"
#include "settings/timetable.h"
#include "settings/timetablemodel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTableView>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QStringList timetableFile(int entries)
{
    QRandomGenerator random(42);
    QStringList lines;
    for (int i = 0; i < entries; ++i) {
        const QTime time(random.bounded(24), random.bounded(60));
        lines << TimeEntry::displayText(time) << TimeEntry::key(time) << QString::number(1000 + i)
              << QStringLiteral("Station %1").arg(i) << QStringLiteral("S%1").arg(i);
    }
    return lines;
}

template <typename F> double bestMs(int repetitions, F &&work)
{
    double best = 1e300;
    for (int i = 0; i < repetitions; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int entries = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int repetitions = argc > 2 ? std::atoi(argv[2]) : 20;

    QTemporaryDir dir;
    const QString path = dir.filePath(QLatin1String(Timetable::FileName));
    TextFile::writeLines(path, timetableFile(entries));

    Timetable timetable;
    const double load = bestMs(repetitions, [&] { timetable.load(*TextFile::readLines(path, 16 << 20)); });
    const double sort = bestMs(repetitions, [&] {
        timetable.load(*TextFile::readLines(path, 16 << 20));
        timetable.sort();
    }) - load;
    int due = 0;
    const double tick = bestMs(repetitions, [&] { due = int(timetable.dueRows(QStringLiteral("1230")).size()); });
    const double save = bestMs(repetitions, [&] { TextFile::writeLines(path, timetable.save()); });

    TimetableModel model(timetable, TimetableModel::Layout::Visible);
    QTableView view;
    view.setModel(&model);
    view.resize(363, 300);
    view.show();
    const double grid = bestMs(repetitions, [&] {
        model.reload();
        QCoreApplication::processEvents();
    });

    std::printf("timetable of %d entries, best of %d runs\n", entries, repetitions);
    std::printf("  load from file:     %8.2f ms\n", load);
    std::printf("  sort:               %8.2f ms\n", sort);
    std::printf("  tick (%3d due):     %8.3f ms\n", due, tick);
    std::printf("  save to file:       %8.2f ms\n", save);
    std::printf("  grid shows it all:  %8.2f ms\n", grid);
    return 0;
}
