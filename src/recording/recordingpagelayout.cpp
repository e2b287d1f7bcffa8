#include "recording/recordingpagelayout.h"

#include "recording/diskusagedisplay.h"
#include "recording/installpanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QTimer>

namespace {

template <typename Widget>
Widget *named(Widget *widget, const char *name, const QString &accessible)
{
    widget->setObjectName(QLatin1String(name));
    widget->setAccessibleName(accessible);
    return widget;
}

QComboBox *list(QWidget *parent, const char *name, QLabel *caption)
{
    auto *combo = named(new QComboBox(parent), name, caption->text().chopped(1));
    caption->setBuddy(combo);
    return combo;
}

QProgressBar *gauge(QWidget *parent, const char *name, const QString &accessible)
{
    auto *bar = named(new QProgressBar(parent), name, accessible);
    bar->setRange(0, 100);
    bar->setValue(50);
    bar->setTextVisible(false);
    return bar;
}

} // namespace

namespace RecordingPageLayout {

RecordingPageWidgets build(QWidget *tabSheet4, const QString &installerAddress)
{
    RecordingPageWidgets w;
    // The install panel lies over the recording panel: one of the two is shown, so the
    // keyboard never reaches controls hidden behind the panel.
    auto *stack = new QStackedLayout(tabSheet4);

    w.Pnl_Registra = new QWidget(tabSheet4);
    w.Pnl_Registra->setObjectName(QStringLiteral("Pnl_Registra"));
    auto *grid = new QGridLayout(w.Pnl_Registra);

    auto *deviceCaption = new QLabel(QStringLiteral("Device:"), w.Pnl_Registra);
    w.cbDevice = list(w.Pnl_Registra, "cbDevice", deviceCaption);
    auto *sourceCaption = new QLabel(QStringLiteral("Mixer:"), w.Pnl_Registra);
    w.cbSource = list(w.Pnl_Registra, "cbSource", sourceCaption);
    auto *formatCaption = new QLabel(QStringLiteral("Format:"), w.Pnl_Registra);
    w.cbFormat = list(w.Pnl_Registra, "cbFormat", formatCaption);
    w.cbFormat->addItems({QStringLiteral("WAV"), QStringLiteral("MP3"), QStringLiteral("WMA"), QStringLiteral("OGG"),
                          QStringLiteral("VOX"), QStringLiteral("AU"), QStringLiteral("AIFF"), QStringLiteral("MP4"),
                          QStringLiteral("FLAC")});
    w.cbFormat->setCurrentIndex(-1);
    auto *paraCaption = new QLabel(QStringLiteral("Wave Format:"), w.Pnl_Registra);
    w.cbPara = list(w.Pnl_Registra, "cbPara", paraCaption);
    grid->addWidget(deviceCaption, 0, 0);
    grid->addWidget(w.cbDevice, 0, 1, 1, 3);
    grid->addWidget(sourceCaption, 1, 0);
    grid->addWidget(w.cbSource, 1, 1, 1, 3);
    grid->addWidget(formatCaption, 2, 0);
    grid->addWidget(w.cbFormat, 2, 1);
    grid->addWidget(paraCaption, 2, 2);
    grid->addWidget(w.cbPara, 2, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 2);

    auto *volumeCaption = new QLabel(QStringLiteral("Volume"), w.Pnl_Registra);
    w.TB_Volume = named(new QSlider(Qt::Horizontal, w.Pnl_Registra), "TB_Volume", QStringLiteral("Volume"));
    w.TB_Volume->setRange(0, 100);
    w.TB_Volume->setSingleStep(1);
    w.TB_Volume->setValue(100);
    volumeCaption->setBuddy(w.TB_Volume);
    grid->addWidget(volumeCaption, 3, 0);
    grid->addWidget(w.TB_Volume, 3, 1, 1, 3);

    auto *buttons = new QHBoxLayout;
    w.btnRecord = named(new QPushButton(QStringLiteral("Rec"), w.Pnl_Registra), "btnRecord", QStringLiteral("Rec"));
    w.btnStop = named(new QPushButton(QStringLiteral("Stop"), w.Pnl_Registra), "btnStop", QStringLiteral("Stop"));
    w.btnPause = named(new QPushButton(QStringLiteral("Pause"), w.Pnl_Registra), "btnPause", QStringLiteral("Pause"));
    w.btnStop->setEnabled(false);
    w.btnPause->setEnabled(false);
    buttons->addWidget(w.btnRecord);
    buttons->addWidget(w.btnStop);
    buttons->addWidget(w.btnPause);
    buttons->addSpacing(12);
    buttons->addWidget(new QLabel(QStringLiteral("Durata registrazione:"), w.Pnl_Registra));
    w.Lbl_DurataRegistrazione = named(new QLabel(w.Pnl_Registra), "Lbl_DurataRegistrazione",
                                      QStringLiteral("Durata registrazione"));
    buttons->addWidget(w.Lbl_DurataRegistrazione, 1);
    grid->addLayout(buttons, 4, 0, 1, 4);

    w.ProgressSX = gauge(w.Pnl_Registra, "ProgressSX", QStringLiteral("SX"));
    w.ProgressDX = gauge(w.Pnl_Registra, "ProgressDX", QStringLiteral("DX"));
    grid->addWidget(new QLabel(QStringLiteral("SX"), w.Pnl_Registra), 5, 0);
    grid->addWidget(w.ProgressSX, 5, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("DX"), w.Pnl_Registra), 6, 0);
    grid->addWidget(w.ProgressDX, 6, 1, 1, 3);

    grid->addWidget(new QLabel(QStringLiteral("Destination folder:"), w.Pnl_Registra), 7, 0);
    w.Lbl_Folder = named(new QLabel(w.Pnl_Registra), "Lbl_Folder", QStringLiteral("Destination folder"));
    w.Lbl_Folder->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(w.Lbl_Folder, 7, 1, 1, 2);
    w.BitBtn11 = named(new QPushButton(QStringLiteral("Open folder"), w.Pnl_Registra), "BitBtn11",
                       QStringLiteral("Open folder"));
    grid->addWidget(w.BitBtn11, 7, 3, Qt::AlignRight);
    grid->addWidget(new QLabel(QStringLiteral("Destination file:"), w.Pnl_Registra), 8, 0);
    w.Lbl_File = named(new QLabel(w.Pnl_Registra), "Lbl_File", QStringLiteral("Destination file"));
    grid->addWidget(w.Lbl_File, 8, 1, 1, 3);

    auto *disk = new QWidget(w.Pnl_Registra);
    disk->setObjectName(QStringLiteral("Pnl_Disco"));
    w.diskUsage = new DiskUsageDisplay(disk);
    grid->addWidget(disk, 9, 0, 1, 4);
    grid->setRowStretch(9, 1);

    w.TimerRegistrazione = new QTimer(tabSheet4);
    w.TimerRegistrazione->setObjectName(QStringLiteral("TimerRegistrazione"));
    w.TimerRegistrazione->setInterval(100);

    w.Pnl_InizializzaRecording = new InstallPanel(tabSheet4, installerAddress);
    stack->addWidget(w.Pnl_Registra);
    stack->addWidget(w.Pnl_InizializzaRecording);
    stack->setCurrentWidget(w.Pnl_InizializzaRecording);
    return w;
}

} // namespace RecordingPageLayout
