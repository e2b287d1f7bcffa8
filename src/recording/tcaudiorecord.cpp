#include "recording/tcaudiorecord.h"

#include "recording/audiorecorderror.h"

#include <QCoreApplication>

TCAudioRecord::TCAudioRecord(std::unique_ptr<IAudioRecord> component, const QString &loadError, QObject *parent)
    : QObject(parent)
    , m_component(std::move(component))
    , m_loadError(loadError)
{
    if (m_component)
        m_component->SetListener(this);
}

std::unique_ptr<TCAudioRecord> TCAudioRecord::load(const QString &file, QObject *parent)
{
    auto library = std::make_unique<QLibrary>(file);
    std::unique_ptr<IAudioRecord> component;
    QString error;
    if (!library->load()) {
        error = QStringLiteral("Impossibile caricare il componente di registrazione: %1").arg(library->errorString());
    } else if (auto create = reinterpret_cast<AudioRecordCreateFunction>(library->resolve(AudioRecordEntryPoint))) {
        component.reset(create(AudioRecordInterfaceVersion));
        if (!component)
            error = QStringLiteral("Il componente di registrazione installato non è di questa versione del programma.");
    } else {
        error = QStringLiteral("Il file %1 non è un componente di registrazione.").arg(file);
    }
    auto record = std::make_unique<TCAudioRecord>(std::move(component), error, parent);
    if (record->m_component)
        record->m_library = std::move(library);
    return record;
}

TCAudioRecord::~TCAudioRecord()
{
    if (m_component) {
        m_component->SetListener(nullptr);
        // The component stops a running recording and closes its file.
        m_component.reset();
    }
}

IAudioRecord &TCAudioRecord::component()
{
    if (!m_component)
        throw AudioRecordError(m_loadError);
    return *m_component;
}

void TCAudioRecord::check(bool ok)
{
    if (!ok)
        throw AudioRecordError(QString::fromStdString(m_component->error()));
}

int TCAudioRecord::DeviceCount()
{
    int count = 0;
    check(component().DeviceCount(count));
    return count;
}

QString TCAudioRecord::DeviceName(int index)
{
    std::string name;
    check(component().DeviceName(index, name));
    return QString::fromStdString(name);
}

void TCAudioRecord::SelectDevice(int index)
{
    check(component().SelectDevice(index));
}

int TCAudioRecord::SourceCount()
{
    int count = 0;
    check(component().SourceCount(count));
    return count;
}

QString TCAudioRecord::SourceName(int index)
{
    std::string name;
    check(component().SourceName(index, name));
    return QString::fromStdString(name);
}

void TCAudioRecord::SelectSource(int index)
{
    check(component().SelectSource(index));
}

void TCAudioRecord::SelectFormat(int index)
{
    check(component().SelectFormat(index));
}

int TCAudioRecord::ParamCount()
{
    int count = 0;
    check(component().ParamCount(count));
    return count;
}

void TCAudioRecord::SelectParam(int index)
{
    check(component().SelectParam(index));
}

QString TCAudioRecord::ParamName()
{
    std::string name;
    check(component().ParamName(name));
    return QString::fromStdString(name);
}

void TCAudioRecord::SetVolume(int volume)
{
    check(component().SetVolume(volume));
}

void TCAudioRecord::SetOutputFile(const QString &path)
{
    check(component().SetOutputFile(path.toStdString()));
}

void TCAudioRecord::StartRecording(int channels, int sampleRate)
{
    check(component().StartRecording(channels, sampleRate));
}

void TCAudioRecord::Stop()
{
    check(component().Stop());
}

void TCAudioRecord::Pause()
{
    check(component().Pause());
}

void TCAudioRecord::Resume()
{
    check(component().Resume());
}

double TCAudioRecord::ElapsedTime()
{
    return component().ElapsedTime();
}

int TCAudioRecord::LeftLevel()
{
    return component().LeftLevel();
}

int TCAudioRecord::RightLevel()
{
    return component().RightLevel();
}

std::vector<std::int16_t> TCAudioRecord::WaveData()
{
    return component().WaveData();
}

AudioRecordStats TCAudioRecord::Stats()
{
    return component().Stats();
}

void TCAudioRecord::waveDataReady()
{
    // Capture thread: one queued notice at a time, however long the user-interface thread is busy.
    if (m_waveNoticePending.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_waveNoticePending = false;
            emit OnPCMWaveData();
        },
        Qt::QueuedConnection);
}

void TCAudioRecord::recordingFailed(const std::string &reason)
{
    QMetaObject::invokeMethod(
        this, [this, text = QString::fromStdString(reason)] { emit recordingEnded(text); }, Qt::QueuedConnection);
}
