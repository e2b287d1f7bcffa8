#pragma once

#include <QString>

class DiskUsageDisplay;
class InstallPanel;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSlider;
class QTimer;
class QWidget;

// The controls of the recording page TabSheet4, each named by its component name.
struct RecordingPageWidgets
{
    QWidget *Pnl_Registra = nullptr;
    QComboBox *cbDevice = nullptr;
    QComboBox *cbSource = nullptr;
    QComboBox *cbFormat = nullptr;
    QComboBox *cbPara = nullptr;
    QSlider *TB_Volume = nullptr;
    QPushButton *btnRecord = nullptr;
    QPushButton *btnStop = nullptr;
    QPushButton *btnPause = nullptr;
    QLabel *Lbl_DurataRegistrazione = nullptr;
    QProgressBar *ProgressSX = nullptr;
    QProgressBar *ProgressDX = nullptr;
    QLabel *Lbl_Folder = nullptr;
    QLabel *Lbl_File = nullptr;
    QPushButton *BitBtn11 = nullptr;
    QTimer *TimerRegistrazione = nullptr;
    InstallPanel *Pnl_InizializzaRecording = nullptr;
    DiskUsageDisplay *diskUsage = nullptr; // owned by the caller
};

namespace RecordingPageLayout {
// Builds the page into `tabSheet4` (which must have no layout yet).
RecordingPageWidgets build(QWidget *tabSheet4, const QString &installerAddress);
}
