#include "settings/timetable.h"

#include <QRegularExpression>

#include <algorithm>

void Timetable::clear()
{
    m_rows = {TimetableEntry{}};
}

void Timetable::load(const QStringList &lines)
{
    clear();
    const auto text = [&lines](qsizetype i) { return lines[i].left(MaxTextLength); };
    for (qsizetype i = 0; i < lines.size(); i += 5) {
        if (!m_rows.last().displayTime.isEmpty())
            m_rows.append(TimetableEntry{});
        TimetableEntry &e = m_rows.last();
        e.displayTime = text(i);
        if (i + 1 < lines.size())
            e.key = text(i + 1);
        if (i + 2 < lines.size())
            e.id = text(i + 2);
        if (i + 3 < lines.size())
            e.name = text(i + 3);
        if (i + 4 < lines.size())
            e.caption = text(i + 4);
    }
}

QStringList Timetable::save() const
{
    QStringList lines;
    // Every entry is kept, whatever row follows it.
    for (const TimetableEntry &e : m_rows) {
        if (e.displayTime.isEmpty())
            continue;
        lines << e.displayTime << e.key << e.id << e.name << e.caption;
    }
    return lines;
}

void Timetable::add(const TimetableEntry &entry)
{
    if (!m_rows.last().displayTime.isEmpty())
        m_rows.append(TimetableEntry{});
    m_rows.last() = entry;
    sort();
}

void Timetable::remove(int r)
{
    if (r < 1 || r > rowCount())
        return;
    m_rows.removeAt(r - 1);
    if (m_rows.isEmpty())
        m_rows.append(TimetableEntry{});
}

void Timetable::setTime(int r, const QString &displayTime, const QString &key)
{
    if (r < 1 || r > rowCount())
        return;
    m_rows[r - 1].displayTime = displayTime;
    m_rows[r - 1].key = key;
}

void Timetable::setStation(int r, const QString &id, const QString &name, const QString &caption)
{
    if (r < 1 || r > rowCount())
        return;
    TimetableEntry &e = m_rows[r - 1];
    e.id = id;
    e.name = name;
    e.caption = caption;
}

void Timetable::sort()
{
    // Keys compare character by character: "HHMM" digits in every file we write.
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const TimetableEntry &a, const TimetableEntry &b) { return a.key < b.key; });
}

QList<int> Timetable::dueRows(const QString &hhmm) const
{
    QList<int> due;
    for (int r = 1; r <= rowCount(); ++r) {
        if (m_rows[r - 1].key == hhmm)
            due.append(r);
    }
    return due;
}

namespace TimeEntry {

namespace {

// The locale's time separator: the first character of its time format that is not part
// of a field; "." or ":" on most systems.
QChar separatorOf(const QLocale &locale)
{
    for (const QChar c : locale.timeFormat(QLocale::LongFormat)) {
        if (!c.isLetter() && !c.isSpace())
            return c;
    }
    return QLatin1Char(':');
}

} // namespace

std::optional<QTime> parse(const QString &answer, const QLocale &locale)
{
    // Hours and minutes, and seconds if given, parted by the locale's separator, "." or ":".
    QString separators = QStringLiteral(".:");
    if (!separators.contains(separatorOf(locale)))
        separators += separatorOf(locale);
    const QString set = QRegularExpression::escape(separators);
    const QRegularExpression re(
        QStringLiteral("^\\s*(\\d{1,2})[%1](\\d{1,2})(?:[%1](\\d{1,2}))?\\s*$").arg(set));
    const QRegularExpressionMatch m = re.match(answer);
    if (!m.hasMatch())
        return std::nullopt;
    const QTime time(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).isEmpty() ? 0 : m.captured(3).toInt());
    if (!time.isValid())
        return std::nullopt;
    return time;
}

// Hours, minutes and seconds on the 24-hour clock, with the locale's separator.
QString displayText(QTime time, const QLocale &locale)
{
    const QString sep(separatorOf(locale));
    return time.toString(QStringLiteral("HH") + sep + QStringLiteral("mm") + sep + QStringLiteral("ss"));
}

QString key(QTime time)
{
    return time.toString(QStringLiteral("HHmm"));
}

QString editDefault(const QString &displayTime)
{
    return displayTime.left(std::max<qsizetype>(0, displayTime.size() - 3));
}

} // namespace TimeEntry
