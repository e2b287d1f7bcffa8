#pragma once

#include "captureshared.h"
#include "pulsedevices.h"
#include "recording/iaudiorecord.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class ByteSink;
class CaptureSession;

// The recorder component: PulseAudio sources as devices, their ports as mixer lines, the
// formats of FormatCatalog, one CaptureSession per recording.
class AudioRecorder final : public IAudioRecord
{
public:
    // Opens the file a recording writes; tests replace it to fake a full disk.
    using SinkOpener = std::function<std::unique_ptr<ByteSink>(const std::string &path, std::string &error)>;

    AudioRecorder();
    explicit AudioRecorder(SinkOpener opener);
    ~AudioRecorder() override;

    const std::string &error() const override { return m_error; }

    bool DeviceCount(int &count) override;
    bool DeviceName(int index, std::string &name) override;
    bool SelectDevice(int index) override;
    bool SourceCount(int &count) override;
    bool SourceName(int index, std::string &name) override;
    bool SelectSource(int index) override;
    bool SelectFormat(int index) override;
    bool ParamCount(int &count) override;
    bool SelectParam(int index) override;
    bool ParamName(std::string &name) override;
    bool SetVolume(int volume) override;
    bool SetOutputFile(const std::string &path) override;
    bool StartRecording(int channels, int sampleRate) override;
    bool Stop() override;
    bool Pause() override;
    bool Resume() override;
    double ElapsedTime() const override;
    int LeftLevel() const override { return m_shared.leftLevel; }
    int RightLevel() const override { return m_shared.rightLevel; }
    std::vector<std::int16_t> WaveData() const override { return m_shared.lastBlock(); }
    void SetListener(IAudioRecordListener *listener) override { m_shared.setListener(listener); }
    AudioRecordStats Stats() const override;

private:
    bool succeed();
    bool fail(std::string reason);
    bool ensureDevices();
    const CaptureDevice *selectedDevice() const;

    SinkOpener m_openSink;
    std::string m_error;
    std::vector<CaptureDevice> m_devices;
    bool m_devicesListed = false;
    int m_device = -1;
    int m_source = -1;
    int m_format = 0;
    int m_param = 0;
    std::string m_outputFile;
    CaptureShared m_shared;
    std::unique_ptr<CaptureSession> m_session;
};
