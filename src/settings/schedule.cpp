#include "settings/schedule.h"

#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "settings/frm_gestioneopzioni.h"
#include "settings/optionsfile.h"
#include "settings/personalpick.h"
#include "settings/stationpicker.h"

#include <QFile>
#include <QPushButton>
#include <QTableView>

Schedule::Schedule(QString settingsFolder, Dialogs &dialogs, const WallClock &clock,
                   std::function<QString()> serverRoot, QObject *parent)
    : QObject(parent)
    , m_settingsFolder(std::move(settingsFolder))
    , m_dialogs(dialogs)
    , m_serverRoot(std::move(serverRoot))
    , m_timer(clock)
    , m_visible(m_timetable, TimetableModel::Layout::Visible)
    , m_hidden(m_timetable, TimetableModel::Layout::Hidden)
{
    connect(&m_timer, &TimetableTimer::minuteDue, this, &Schedule::MinuteDue);
}

QString Schedule::filePath() const
{
    return m_settingsFolder + QLatin1String(Timetable::FileName);
}

void Schedule::attachDialog(TFrm_GestioneOpzioni *dialog)
{
    m_dialog = dialog;
    if (auto *grid = dialog->findChild<QTableView *>(QStringLiteral("StrGrd_TimerTmp"))) {
        grid->setModel(&m_visible);
        connect(grid, &QTableView::activated, this, &Schedule::StrGrd_TimerTmpDblClick);
    }
    if (auto *grid = dialog->findChild<QTableView *>(QStringLiteral("StrGrd_Timer")))
        grid->setModel(&m_hidden);
    if (auto *add = dialog->findChild<QPushButton *>(QStringLiteral("BitBtn14")))
        connect(add, &QPushButton::clicked, this, &Schedule::AggiungiClick);
    if (auto *remove = dialog->findChild<QPushButton *>(QStringLiteral("BitBtn13")))
        connect(remove, &QPushButton::clicked, this, &Schedule::CancellaClick);
}

void Schedule::attachPicker(StationPicker *picker)
{
    m_picker = picker;
}

bool Schedule::Load()
{
    m_timetable.clear();
    changed();
    QString failure;
    if (!QFile::exists(filePath())) {
        failure = TextFile::writeLines(filePath(), {});
    } else if (const std::optional<QStringList> lines = TextFile::readLines(filePath(), failure, 16 << 20)) {
        m_timetable.load(*lines);
        changed();
    }
    if (!failure.isEmpty()) {
        m_dialogs.error(m_dialog, failure);
        return false;
    }
    return true;
}

QString Schedule::Save() const
{
    return TextFile::writeLines(filePath(), m_timetable.save());
}

void Schedule::changed()
{
    m_visible.reload();
    m_hidden.reload();
}

void Schedule::message(const QString &text)
{
    m_dialogs.message(m_dialog, text);
}

// The time entry: nothing when the user gave up or typed what is not a time.
std::optional<QTime> Schedule::askTime(const QString &defaultText)
{
    QString answer = defaultText;
    if (!m_dialogs.input(m_dialog, QStringLiteral("Orario di attivazione"),
                         QStringLiteral("Inserire l'orario in cui attivare l'emittente"), answer))
        answer = defaultText; // a cancelled box gives its default back
    if (answer == QLatin1String("hh.mm") || answer.isEmpty()) {
        message(QStringLiteral("Operazione annullata"));
        return std::nullopt;
    }
    const std::optional<QTime> time = TimeEntry::parse(answer);
    if (!time)
        message(QStringLiteral("Errore nel formato dell'ora inserito"));
    return time;
}

std::optional<TRadio> Schedule::pickStation()
{
    if (!m_picker)
        return std::nullopt;
    std::optional<TRadio> picked = PersonalPick::pickStation(*m_picker, m_serverRoot(), m_dialogs, m_dialog);
    if (picked && picked->Id == 0) {
        message(QStringLiteral("Errore nella selezione"));
        return std::nullopt;
    }
    return picked;
}

int Schedule::selectedRow() const
{
    auto *grid = m_dialog ? m_dialog->findChild<QTableView *>(QStringLiteral("StrGrd_TimerTmp")) : nullptr;
    const int row = grid && grid->currentIndex().isValid() ? grid->currentIndex().row() + 1 : 1;
    return std::clamp(row, 1, m_timetable.rowCount());
}

void Schedule::AggiungiClick()
{
    const std::optional<QTime> time = askTime(QStringLiteral("hh.mm"));
    if (!time)
        return;
    const std::optional<TRadio> station = pickStation();
    if (!station)
        return;
    m_timetable.add(TimetableEntry{TimeEntry::displayText(*time), TimeEntry::key(*time),
                                   QString::number(station->Id), station->Name, station->Caption});
    changed();
}

void Schedule::CancellaClick()
{
    m_timetable.remove(selectedRow());
    changed();
}

void Schedule::StrGrd_TimerTmpDblClick(const QModelIndex &cell)
{
    const int r = cell.row() + 1;
    const TimetableEntry *entry = m_timetable.row(r);
    if (!entry)
        return;
    if (cell.column() == 0) {
        const std::optional<QTime> time = askTime(TimeEntry::editDefault(entry->displayTime));
        if (!time)
            return;
        m_timetable.setTime(r, TimeEntry::displayText(*time), TimeEntry::key(*time));
        m_timetable.sort();
    } else {
        const std::optional<TRadio> station = pickStation();
        if (!station)
            return;
        m_timetable.setStation(r, QString::number(station->Id), station->Name, station->Caption);
    }
    changed();
}

void Schedule::MinuteDue(const QString &hhmm)
{
    for (int r : m_timetable.dueRows(hhmm)) {
        const TimetableEntry &e = *m_timetable.row(r);
        emit stationDue(e.name, OptionsFile::decimal(e.id, 0));
    }
}
