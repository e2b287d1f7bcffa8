#pragma once

#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>

#include <optional>

// One entry of the timetable: when (as shown and as the HHMM key the clock is compared
// with) and which station.
struct TimetableEntry
{
    QString displayTime;
    QString key;
    QString id;
    QString name;
    QString caption;

    bool operator==(const TimetableEntry &) const = default;
};

// The stations that switch on by themselves, in rows 1..rowCount(). An entry exists in a
// row whose display time is not empty; an empty timetable is one empty row.
class Timetable
{
public:
    static constexpr char FileName[] = "Progrvtg.txt";
    // Texts longer than this in a file are cut.
    static constexpr int MaxTextLength = 1000;

    Timetable() { clear(); }

    int rowCount() const { return int(m_rows.size()); }
    // Row r (1..rowCount()); out of range gives nullptr.
    const TimetableEntry *row(int r) const { return r >= 1 && r <= rowCount() ? &m_rows[r - 1] : nullptr; }
    bool isEmpty() const { return m_rows.size() == 1 && m_rows[0].displayTime.isEmpty(); }

    void clear();
    // The file's five lines per entry: display time, key, id, name, caption.
    void load(const QStringList &lines);
    QStringList save() const;

    // A new last row (the empty last row is used when there is one), then the rows sorted.
    void add(const TimetableEntry &entry);
    // Row r goes, the rows below move up; the timetable keeps at least one row.
    void remove(int r);
    void setTime(int r, const QString &displayTime, const QString &key);
    void setStation(int r, const QString &id, const QString &name, const QString &caption);
    // Ascending keys, empty keys first; rows with the same key keep their order.
    void sort();

    // The rows whose key is `hhmm`, in row order.
    QList<int> dueRows(const QString &hhmm) const;

private:
    QList<TimetableEntry> m_rows;
};

// The time the user types for an entry.
namespace TimeEntry {

// "21.30", "21:30", "9.30", "9.30.15" (with the locale's separator, "." or ":"): the time of
// day, or nothing.
std::optional<QTime> parse(const QString &answer, const QLocale &locale = QLocale::system());
// The time as the list shows it: the locale's long time format, without a time zone.
QString displayText(QTime time, const QLocale &locale = QLocale::system());
// "HHMM".
QString key(QTime time);
// The default of an edit: the display time without its last three characters (its seconds).
QString editDefault(const QString &displayTime);

} // namespace TimeEntry
