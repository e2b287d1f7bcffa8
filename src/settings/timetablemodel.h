#pragma once

#include <QAbstractTableModel>

class Timetable;

// The timetable as a grid: the visible one shows time and station ("Ora", "Emittente"),
// the hidden one key, id, name and caption.
class TimetableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Layout { Visible, Hidden };

    TimetableModel(const Timetable &timetable, Layout layout, QObject *parent = nullptr);

    // The timetable changed as a whole.
    void reload();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const Timetable &m_timetable;
    Layout m_layout;
};
