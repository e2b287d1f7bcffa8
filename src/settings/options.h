#pragma once

#include "settings/frm_gestioneopzioni.h"
#include "settings/personalslots.h"
#include "settings/stationpicker.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class Dialogs;



// What the options reach in the rest of the program.
struct OptionsHooks
{
    std::function<void()> applyLanguage;            // ApplyLanguage with CurrentLanguage
    std::function<int()> currentLanguage;
    std::function<void(int)> setCurrentLanguage;
    std::function<void(qint32)> playStartupStation; // PlayStationById with NowPlayingCode 0
    std::function<void(bool)> showSearchWindow;
    std::function<void(bool)> messengerChanged;     // the switch changed by a save
    std::function<void(bool)> timetableChanged;     // enables or disables TimerRadio
    std::function<void()> loadTimetable;            // the grids from "Progrvtg.txt"
    std::function<QString()> saveTimetable;         // empty text, or why it failed
    std::function<void()> refreshFavourites;
    std::function<QString()> serverRoot;
};

// Where the options live and what they need to act.
struct OptionsSetup
{
    QString settingsFolder;   // with a trailing "/"
    QString autostartFolder;  // with a trailing "/"
    QString programPath;      // what the autostart entry starts
    Dialogs *dialogs = nullptr;
    QWidget *messageParent = nullptr;
};

// The user's options and personal stations, the file "OpzSN.txt" that keeps them, and the
// options dialog that edits them (ShowOptions).
class Options final : public QObject
{
    Q_OBJECT

signals:
    // The start-up station, a personal station or the messenger switch changed in memory.
    void changed();

public:
    Options(OptionsSetup setup, OptionsHooks hooks, QObject *parent = nullptr);

    // Reads the file while the main window is being created; a missing file keeps the
    // initial values.
    void ReadAtStartup();
    // The dialog joins once it has been created: it copies the start-up station's name.
    void attachDialog(TFrm_GestioneOpzioni *dialog);
    void attachPicker(StationPicker *picker);

    // page 0..2 shows the dialog on that page; -1 reads and saves without showing it.
    void ShowOptions(int page);

    // Handlers of the dialog.
    void SpeedButton1Click();
    void CambiaClick(int slot);
    void CancellaClick(int slot);

    PersonalSlots &personalSlots() { return m_slots; }
    const PersonalSlots &personalSlots() const { return m_slots; }
    qint32 startupStationId() const { return m_startupId; }
    QString startupStationName() const { return m_startupName; }
    // What Lbl_NomeRadio shows and whether Chk_EsecuzioneRadio is ticked.
    QString nameShown() const;
    bool playAtStartTicked() const;
    bool searchAtStart() const { return m_searchAtStart; }
    bool messenger() const { return m_messenger; }
    bool timetable() const { return m_timetable; }
    QString filePath() const;
    TFrm_GestioneOpzioni *dialog() const { return m_dialog; }

private:
    bool prepareDialog();
    bool save();
    std::optional<TRadio> pick();

    OptionsSetup m_setup;
    OptionsHooks m_hooks;
    QPointer<TFrm_GestioneOpzioni> m_dialog;
    QPointer<StationPicker> m_picker;
    PersonalSlots m_slots;
    qint32 m_startupId = 0;
    QString m_startupName;
    bool m_autoPlayRead = false;
    bool m_searchAtStart = false;
    bool m_messenger = false;
    bool m_timetable = false;
    qint32 m_pickedId = 0;
};
