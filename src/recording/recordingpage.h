#pragma once

#include "recording/recordingpagelayout.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class Dialogs;
class DiskUsageDisplay;
class Shell;
class TCAudioRecord;

// What the recording page needs from the program.
struct RecordingPageSetup
{
    QString settingsFolder;  // home of "OpzSNR.txt", with or without a trailing "/"
    QString productSiteHost; // the installer is "http://<host>/AudioRecording.exe"
    QString recordingFolder; // empty: ~/Sintonia/RecordingFile
    // The component marker, the plugin file; empty: looked up in the install folders
    // (ComponentLocation) at every visit.
    QString componentFile;
    // Makes the component instance from the marker file; empty: loads it as a plugin.
    std::function<std::unique_ptr<TCAudioRecord>(const QString &componentFile)> createComponent;
};

// The recording page TabSheet4 (page 1 of Pnl_Ascolta): device, mixer line, format and
// compression lists, volume, Rec/Stop/Pause, the duration clock and level meters, the
// disk usage, and the install panel while the recorder component is missing.
//
// The main window calls StartUp() in its creation sequence and PageShown() whenever page
// 1 is shown, and runs its page-switch handling again on pageSwitchRequested().
class RecordingPage final : public QObject
{
    Q_OBJECT

signals:
    // The install panel's message box was confirmed: the page switch should run again, so
    // that a component installed meanwhile is found.
    void pageSwitchRequested();
    // A recording started (true) or ended, for whatever reason (false).
    void recordingChanged(bool running);

public:
    static QString defaultRecordingFolder();

    RecordingPage(QWidget *tabSheet4, Dialogs &dialogs, Shell &shell, RecordingPageSetup setup,
                  QObject *parent = nullptr);
    ~RecordingPage() override;

    // Creation steps of the main window: the first-visit flag, and the recording folder
    // shown in Lbl_Folder once the drive that holds it is known.
    void StartUp();
    // Page 1 has been shown.
    void PageShown();

    // Handlers, under their component names.
    void cbDeviceChange();
    void cbSourceChange();
    void cbFormatChange();
    void cbParaChange();
    void btnRecordClick();
    void btnStopClick();
    void btnPauseClick();
    void TimerRegistrazioneTimer();
    void BitBtn11Click();
    void Pnl_InizializzaRecordingClick();
    void AudioRecordPCMWaveData();
    void RefreshDiskUsage();

    const QString &recordingFolder() const { return m_recordingFolder; }
    QString installerAddress() const;
    bool componentCreated() const { return m_component != nullptr; }
    TCAudioRecord *component() const { return m_component.get(); }

private:
    QString markerFile() const;
    void runSetUp(const QString &marker);
    void ApplySettingsFile();
    void Save();
    void fillSources();
    void fillParams();
    void toReady();
    void onRecordingEnded(const QString &reason);
    template <typename Action>
    void guarded(Action action);

    QWidget *m_page;
    Dialogs &m_dialogs;
    Shell &m_shell;
    RecordingPageSetup m_setup;
    QString m_recordingFolder;
    RecordingPageWidgets m_w;
    std::unique_ptr<DiskUsageDisplay> m_diskUsage;
    std::unique_ptr<TCAudioRecord> m_component;
    QString m_setUpFailure;
    bool m_firstVisit = true;
    bool m_restoringDevice = false;
    bool m_restoringSource = false;
    bool m_restoringFormat = false;
    bool m_restoringParam = false;
};
