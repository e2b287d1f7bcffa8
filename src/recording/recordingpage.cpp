#include "recording/recordingpage.h"

#include "platform/dialogs.h"
#include "platform/shell.h"
#include "platform/textfile.h"
#include "recording/audiorecorderror.h"
#include "recording/componentlocation.h"
#include "recording/diskusagedisplay.h"
#include "recording/installpanel.h"
#include "recording/recordingfilename.h"
#include "recording/recordingsettings.h"
#include "recording/tcaudiorecord.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStackedLayout>
#include <QStorageInfo>
#include <QTimer>

#include <cmath>

namespace {

const QString PauseCaption = QStringLiteral("Pause");
const QString ResumeCaption = QStringLiteral("Resume");

// Appends an item without changing the selection (a list being filled selects nothing).
void addUnselected(QComboBox *list, const QString &text)
{
    const int selected = list->currentIndex();
    list->addItem(text);
    list->setCurrentIndex(selected);
}

// Rounds to the nearest integer, halves to even.
int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));
}

int meter(int level)
{
    return roundHalfEven(static_cast<double>(level * 100) / 32768);
}

} // namespace

QString RecordingPage::defaultRecordingFolder()
{
    return QDir::homePath() + QStringLiteral("/Sintonia/RecordingFile");
}

RecordingPage::RecordingPage(QWidget *tabSheet4, Dialogs &dialogs, Shell &shell, RecordingPageSetup setup,
                             QObject *parent)
    : QObject(parent)
    , m_page(tabSheet4)
    , m_dialogs(dialogs)
    , m_shell(shell)
    , m_setup(std::move(setup))
    , m_recordingFolder(QDir::cleanPath(m_setup.recordingFolder.isEmpty() ? defaultRecordingFolder()
                                                                           : m_setup.recordingFolder))
{
    if (!m_setup.createComponent)
        m_setup.createComponent = [](const QString &file) { return TCAudioRecord::load(file); };
    m_w = RecordingPageLayout::build(tabSheet4, installerAddress());
    m_diskUsage.reset(m_w.diskUsage);

    connect(m_w.cbDevice, &QComboBox::activated, this, &RecordingPage::cbDeviceChange);
    connect(m_w.cbSource, &QComboBox::activated, this, &RecordingPage::cbSourceChange);
    connect(m_w.cbFormat, &QComboBox::activated, this, &RecordingPage::cbFormatChange);
    connect(m_w.cbPara, &QComboBox::activated, this, &RecordingPage::cbParaChange);
    connect(m_w.btnRecord, &QPushButton::clicked, this, &RecordingPage::btnRecordClick);
    connect(m_w.btnStop, &QPushButton::clicked, this, &RecordingPage::btnStopClick);
    connect(m_w.btnPause, &QPushButton::clicked, this, &RecordingPage::btnPauseClick);
    connect(m_w.BitBtn11, &QPushButton::clicked, this, &RecordingPage::BitBtn11Click);
    connect(m_w.TimerRegistrazione, &QTimer::timeout, this, &RecordingPage::TimerRegistrazioneTimer);
    connect(m_w.Pnl_InizializzaRecording, &InstallPanel::clicked, this, &RecordingPage::Pnl_InizializzaRecordingClick);
    // A recording still running when the program quits is closed before the event loop ends.
    if (QCoreApplication::instance())
        connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, this, [this] {
            if (m_component)
                guarded([this] { m_component->Stop(); });
        });
}

RecordingPage::~RecordingPage() = default;

QString RecordingPage::installerAddress() const
{
    return QStringLiteral("http://") + m_setup.productSiteHost + QStringLiteral("/AudioRecording.exe");
}

template <typename Action>
void RecordingPage::guarded(Action action)
{
    try {
        action();
    } catch (const AudioRecordError &failure) {
        m_dialogs.error(m_page, failure.message());
    }
}

void RecordingPage::StartUp()
{
    m_firstVisit = true;
    // The recording drive is the file system that holds the folder (or its nearest
    // existing parent); without one Lbl_Folder keeps its text.
    const QString drive = DiskUsage::nearestExistingFolder(m_recordingFolder);
    if (!drive.isEmpty() && QStorageInfo(drive).isValid())
        m_w.Lbl_Folder->setText(QDir::toNativeSeparators(m_recordingFolder));
}

QString RecordingPage::markerFile() const
{
    if (m_setup.componentFile.isEmpty())
        return ComponentLocation::find();
    return QFileInfo(m_setup.componentFile).isFile() ? m_setup.componentFile : QString();
}

void RecordingPage::PageShown()
{
    auto *stack = static_cast<QStackedLayout *>(m_page->layout());
    const QString marker = markerFile();
    if (marker.isEmpty()) {
        stack->setCurrentWidget(m_w.Pnl_InizializzaRecording);
        return;
    }
    RefreshDiskUsage();
    if (!m_firstVisit)
        return;
    m_firstVisit = false;
    stack->setCurrentWidget(m_w.Pnl_Registra);
    runSetUp(marker);
    ApplySettingsFile();
}

void RecordingPage::runSetUp(const QString &marker)
{
    m_component = m_setup.createComponent(marker);
    connect(m_component.get(), &TCAudioRecord::recordingEnded, this, &RecordingPage::onRecordingEnded);
    // A failing step ends the set-up silently; what was done stays done.
    try {
        const int devices = m_component->DeviceCount();
        for (int i = 0; i < devices; ++i)
            addUnselected(m_w.cbDevice, m_component->DeviceName(i));
        const int sources = m_component->SourceCount();
        for (int i = 0; i < sources; ++i)
            addUnselected(m_w.cbSource, m_component->SourceName(i));
        m_w.cbFormat->setCurrentIndex(0);
        m_component->SelectFormat(0);
        fillParams();
        m_w.cbPara->setCurrentIndex(0);
        m_component->SelectParam(0);
        m_component->SetVolume(m_w.TB_Volume->value());
        connect(m_component.get(), &TCAudioRecord::OnPCMWaveData, this, &RecordingPage::AudioRecordPCMWaveData);
    } catch (const AudioRecordError &failure) {
        m_setUpFailure = failure.message();
    }
}

void RecordingPage::fillSources()
{
    m_w.cbSource->clear();
    const int sources = m_component->SourceCount();
    for (int i = 0; i < sources; ++i)
        addUnselected(m_w.cbSource, m_component->SourceName(i));
}

void RecordingPage::fillParams()
{
    m_w.cbPara->clear();
    const int params = m_component->ParamCount();
    for (int i = 0; i < params; ++i) {
        m_component->SelectParam(i);
        addUnselected(m_w.cbPara, m_component->ParamName());
    }
}

void RecordingPage::ApplySettingsFile()
{
    const QString path = QDir(m_setup.settingsFolder).filePath(QLatin1String(RecordingSettings::FileName));
    if (!QFileInfo::exists(path))
        return;
    const std::optional<QStringList> lines = TextFile::readLines(path);
    if (!lines) {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        m_dialogs.error(m_page, file.errorString());
        return;
    }
    struct Restore
    {
        QComboBox *list;
        bool &mark;
        void (RecordingPage::*choice)();
    };
    const Restore lists[] = {{m_w.cbDevice, m_restoringDevice, &RecordingPage::cbDeviceChange},
                             {m_w.cbSource, m_restoringSource, &RecordingPage::cbSourceChange},
                             {m_w.cbFormat, m_restoringFormat, &RecordingPage::cbFormatChange},
                             {m_w.cbPara, m_restoringParam, &RecordingPage::cbParaChange}};
    qsizetype next = 0;
    bool complete = true;
    for (const Restore &restore : lists) {
        restore.mark = true;
        if (next >= lines->size()) {
            complete = false;
            break;
        }
        const int index = RecordingSettings::listIndex(lines->at(next++), restore.list->count());
        restore.list->setCurrentIndex(index);
        if (index >= 0)
            (this->*restore.choice)();
    }
    if (complete && next < lines->size()) {
        if (const std::optional<int> volume = RecordingSettings::volume(lines->at(next)))
            m_w.TB_Volume->setValue(*volume);
    }
    m_restoringDevice = m_restoringSource = m_restoringFormat = m_restoringParam = false;
}

void RecordingPage::Save()
{
    RecordingSettings::Values values;
    values.device = m_w.cbDevice->currentIndex();
    values.source = m_w.cbSource->currentIndex();
    values.format = m_w.cbFormat->currentIndex();
    values.param = m_w.cbPara->currentIndex();
    values.volume = m_w.TB_Volume->value();
    const QString path = QDir(m_setup.settingsFolder).filePath(QLatin1String(RecordingSettings::FileName));
    const QString failure = TextFile::writeLines(path, RecordingSettings::lines(values));
    if (!failure.isEmpty())
        m_dialogs.error(m_page, failure);
}

void RecordingPage::cbDeviceChange()
{
    if (!m_component)
        return;
    guarded([this] {
        m_component->SelectDevice(m_w.cbDevice->currentIndex());
        fillSources();
        if (!m_restoringDevice) {
            m_w.cbSource->setCurrentIndex(0);
            Save();
        }
        m_component->SelectSource(m_w.cbSource->currentIndex());
    });
}

void RecordingPage::cbSourceChange()
{
    if (!m_component)
        return;
    guarded([this] {
        m_component->SelectSource(m_w.cbSource->currentIndex());
        if (!m_restoringSource)
            Save();
    });
}

void RecordingPage::cbFormatChange()
{
    if (!m_component)
        return;
    guarded([this] {
        m_component->SelectFormat(m_w.cbFormat->currentIndex());
        fillParams();
        if (!m_restoringFormat) {
            m_w.cbPara->setCurrentIndex(0);
            Save();
        }
        m_component->SelectParam(m_w.cbPara->currentIndex());
    });
}

void RecordingPage::cbParaChange()
{
    if (!m_component)
        return;
    guarded([this] {
        m_component->SelectParam(m_w.cbPara->currentIndex());
        if (!m_restoringParam)
            Save();
    });
}

void RecordingPage::btnRecordClick()
{
    if (m_w.cbDevice->currentIndex() < 0) {
        QString text = QStringLiteral("Selezionare il dispositivo di registrazione");
        // When the component could not list the devices, say why.
        if (m_w.cbDevice->count() == 0 && !m_setUpFailure.isEmpty())
            text += QStringLiteral("\n\n") + m_setUpFailure;
        m_dialogs.message(m_page, text);
        return;
    }
    if (m_w.cbFormat->currentIndex() < 0) {
        m_dialogs.message(m_page, QStringLiteral("Selezionare il formato di registrazione"));
        return;
    }
    if (m_w.cbPara->currentIndex() < 0) {
        m_dialogs.message(m_page, QStringLiteral("Selezionare il tipo di compressione"));
        return;
    }
    // The whole path: on a new account ~/Sintonia does not exist either. A failure shows
    // when the component cannot create the file.
    if (!QFileInfo::exists(m_recordingFolder))
        QDir().mkpath(m_recordingFolder);
    if (!m_component)
        return;
    const QString name = RecordingFileName::unused(
        m_recordingFolder,
        RecordingFileName::make(QDateTime::currentDateTime(), QLocale(), m_w.cbFormat->currentText()));
    m_w.Lbl_File->setText(name);
    guarded([this, &name] {
        m_component->SetVolume(m_w.TB_Volume->value());
        m_component->SetOutputFile(QDir(m_recordingFolder).filePath(name));
        m_component->StartRecording(2, 44100);
        m_w.btnRecord->setEnabled(false);
        m_w.TB_Volume->setEnabled(false);
        m_w.btnStop->setEnabled(true);
        m_w.btnPause->setEnabled(true);
        m_w.TimerRegistrazione->start();
        emit recordingChanged(true);
    });
}

void RecordingPage::toReady()
{
    m_w.btnRecord->setEnabled(true);
    m_w.TB_Volume->setEnabled(true);
    m_w.btnStop->setEnabled(false);
    m_w.btnPause->setEnabled(false);
    emit recordingChanged(false);
}

void RecordingPage::btnStopClick()
{
    if (!m_component)
        return;
    guarded([this] {
        m_component->Stop();
        toReady();
    });
}

void RecordingPage::btnPauseClick()
{
    if (!m_component)
        return;
    guarded([this] {
        if (m_w.btnPause->text() == PauseCaption) {
            m_component->Pause();
            m_w.btnPause->setText(ResumeCaption);
        } else {
            m_component->Resume();
            m_w.btnPause->setText(PauseCaption);
        }
    });
}

void RecordingPage::onRecordingEnded(const QString &reason)
{
    // The component has closed the file; the page goes back to ready before it says why.
    guarded([this] { m_component->Stop(); });
    toReady();
    TimerRegistrazioneTimer();
    m_dialogs.error(m_page, reason);
}

void RecordingPage::TimerRegistrazioneTimer()
{
    if (m_component) {
        m_w.Lbl_DurataRegistrazione->setText(QString::number(roundHalfEven(m_component->ElapsedTime()))
                                             + QStringLiteral(" Sec"));
        m_w.ProgressSX->setValue(meter(m_component->LeftLevel()));
        m_w.ProgressDX->setValue(meter(m_component->RightLevel()));
    }
    RefreshDiskUsage();
}

void RecordingPage::RefreshDiskUsage()
{
    // The labels repaint on the event loop's next pass; no events are processed in here.
    m_diskUsage->show(DiskUsage::read(m_recordingFolder, m_w.Lbl_File->text()));
}

void RecordingPage::BitBtn11Click()
{
    m_shell.open(m_recordingFolder);
}

void RecordingPage::Pnl_InizializzaRecordingClick()
{
    m_shell.open(installerAddress());
    m_dialogs.message(m_page, QStringLiteral("A download completato, premere Ok per proseguire"));
    emit pageSwitchRequested();
}

void RecordingPage::AudioRecordPCMWaveData()
{
    // The block is fetched and let go; the page draws no wave form.
    const std::vector<std::int16_t> block = m_component->WaveData();
    (void)block.size();
}
