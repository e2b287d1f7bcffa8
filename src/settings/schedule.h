#pragma once

#include "settings/timetable.h"
#include "settings/timetablemodel.h"
#include "settings/timetabletimer.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <optional>

class Dialogs;
class QModelIndex;
class StationPicker;
class TFrm_GestioneOpzioni;
class WallClock;
struct TRadio;

// The stations that switch on by themselves: the timetable, its file "Progrvtg.txt", its
// page "Radio in PlayList" in the options dialog, and TimerRadio that plays what is due.
class Schedule final : public QObject
{
    Q_OBJECT

signals:
    // An entry's minute has come: play `stationId` as the scheduled station `name`.
    void stationDue(const QString &name, qint32 stationId);

public:
    Schedule(QString settingsFolder, Dialogs &dialogs, const WallClock &clock, std::function<QString()> serverRoot,
             QObject *parent = nullptr);

    // The dialog's page shows the live timetable from now on.
    void attachDialog(TFrm_GestioneOpzioni *dialog);
    void attachPicker(StationPicker *picker);

    // The timetable from the file, which is created empty when missing; false after an
    // error, which has been shown.
    bool Load();
    // Empty text, or the system's description of what failed.
    QString Save() const;
    void setActive(bool on) { m_timer.setEnabled(on); }

    // Handlers of the page.
    void AggiungiClick();
    void CancellaClick();
    void StrGrd_TimerTmpDblClick(const QModelIndex &cell);

    const Timetable &timetable() const { return m_timetable; }
    TimetableTimer &timer() { return m_timer; }
    QString filePath() const;

private:
    void MinuteDue(const QString &hhmm);
    std::optional<QTime> askTime(const QString &defaultText);
    std::optional<TRadio> pickStation();
    int selectedRow() const;
    void changed();
    void message(const QString &text);

    QString m_settingsFolder;
    Dialogs &m_dialogs;
    std::function<QString()> m_serverRoot;
    Timetable m_timetable;
    TimetableTimer m_timer;
    TimetableModel m_visible;
    TimetableModel m_hidden;
    QPointer<TFrm_GestioneOpzioni> m_dialog;
    QPointer<StationPicker> m_picker;
};
