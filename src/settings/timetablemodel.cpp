#include "settings/timetablemodel.h"

#include "settings/timetable.h"

TimetableModel::TimetableModel(const Timetable &timetable, Layout layout, QObject *parent)
    : QAbstractTableModel(parent)
    , m_timetable(timetable)
    , m_layout(layout)
{
}

void TimetableModel::reload()
{
    beginResetModel();
    endResetModel();
}

int TimetableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_timetable.rowCount();
}

int TimetableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_layout == Layout::Visible ? 2 : 4;
}

QVariant TimetableModel::data(const QModelIndex &index, int role) const
{
    const TimetableEntry *e = m_timetable.row(index.row() + 1);
    if (!e || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    if (m_layout == Layout::Visible)
        return index.column() == 0 ? e->displayTime : e->name;
    switch (index.column()) {
    case 0: return e->key;
    case 1: return e->id;
    case 2: return e->name;
    default: return e->caption;
    }
}

QVariant TimetableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || m_layout != Layout::Visible)
        return QAbstractTableModel::headerData(section, orientation, role);
    return section == 0 ? QStringLiteral("Ora") : QStringLiteral("Emittente");
}
