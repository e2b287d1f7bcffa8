#pragma once

#include "recording/iaudiorecord.h"

#include <QLibrary>
#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <vector>

// The program's hold on the recorder component. Every operation throws AudioRecordError
// with the component's message when it fails, and when the component could not be loaded
// at all ("not registered"). The component's notices arrive as signals on the thread that
// owns this object.
class TCAudioRecord final : public QObject, private IAudioRecordListener
{
    Q_OBJECT

signals:
    // A block of samples is ready (at most one notice waits at a time).
    void OnPCMWaveData();
    // The recording ended by itself; its file is closed.
    void recordingEnded(const QString &reason);

public:
    // Takes a component already made; nullptr stands for one that cannot be used, with
    // `loadError` as the message of every operation.
    TCAudioRecord(std::unique_ptr<IAudioRecord> component, const QString &loadError, QObject *parent = nullptr);
    // Loads the component plugin from `file`.
    static std::unique_ptr<TCAudioRecord> load(const QString &file, QObject *parent = nullptr);
    ~TCAudioRecord() override;

    int DeviceCount();
    QString DeviceName(int index);
    void SelectDevice(int index);
    int SourceCount();
    QString SourceName(int index);
    void SelectSource(int index);
    void SelectFormat(int index);
    int ParamCount();
    void SelectParam(int index);
    QString ParamName();
    void SetVolume(int volume);
    void SetOutputFile(const QString &path);
    void StartRecording(int channels, int sampleRate);
    void Stop();
    void Pause();
    void Resume();
    double ElapsedTime();
    int LeftLevel();
    int RightLevel();
    std::vector<std::int16_t> WaveData();
    AudioRecordStats Stats();

private:
    IAudioRecord &component();
    void check(bool ok);
    void waveDataReady() override;
    void recordingFailed(const std::string &reason) override;

    std::unique_ptr<QLibrary> m_library; // kept loaded for the component's whole life
    std::unique_ptr<IAudioRecord> m_component;
    QString m_loadError;
    std::atomic<bool> m_waveNoticePending {false};
};
