#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The recorder component's interface, shared by the program and the component plugin.
// Plain C++ without Qt: the plugin depends only on the audio libraries.
//
// Every operation is called from one thread (the program's user-interface thread). An
// operation that fails returns false and leaves its reason, in Italian for the user, in
// error(); a successful one leaves error() empty. Indexes are 0-based positions in the
// lists the component reports itself. Texts are UTF-8.

// What the component tells the program while it records. Both calls come from the
// component's capture thread and must return at once.
class IAudioRecordListener
{
public:
    virtual ~IAudioRecordListener() = default;
    // A block of samples has been captured; WaveData() returns it.
    virtual void waveDataReady() = 0;
    // The recording ended by itself (device gone, sound server lost, disk full). The file
    // written so far is closed and valid when this is called.
    virtual void recordingFailed(const std::string &reason) = 0;
};

// Counters of the current (or last) recording, for diagnostics and benchmarks.
struct AudioRecordStats
{
    std::uint64_t framesCaptured = 0; // frames delivered by the sound server, pauses included
    std::uint64_t framesWritten = 0;  // frames handed to the encoder
    std::uint64_t overruns = 0;       // times the sound server dropped data it could not deliver
    std::uint64_t holeFrames = 0;     // frames the server reported as lost (written as silence)
};

class IAudioRecord
{
public:
    virtual ~IAudioRecord() = default;

    virtual const std::string &error() const = 0;

    // Capture devices (sound-server sources; the default output's monitor comes first).
    virtual bool DeviceCount(int &count) = 0;
    virtual bool DeviceName(int index, std::string &name) = 0;
    virtual bool SelectDevice(int index) = 0;

    // Mixer lines of the selected device (its ports, or one line named for the device).
    virtual bool SourceCount(int &count) = 0;
    virtual bool SourceName(int index, std::string &name) = 0;
    // -1 selects no line; the device then records from whatever port is active.
    virtual bool SelectSource(int index) = 0;

    // Formats: 0 WAV, 1 MP3, 2 WMA, 3 OGG, 4 VOX, 5 AU, 6 AIFF, 7 MP4, 8 FLAC.
    virtual bool SelectFormat(int index) = 0;
    // Compression settings of the selected format.
    virtual bool ParamCount(int &count) = 0;
    // -1 selects the format's first setting.
    virtual bool SelectParam(int index) = 0;
    // The name of the setting now selected.
    virtual bool ParamName(std::string &name) = 0;

    // Recording gain, 0..100 (100 leaves the samples as captured).
    virtual bool SetVolume(int volume) = 0;
    virtual bool SetOutputFile(const std::string &path) = 0;
    // Opens the file and starts capturing; the recording runs once this returns true.
    virtual bool StartRecording(int channels, int sampleRate) = 0;
    // Ends the recording and closes its file; nothing to do when none runs.
    virtual bool Stop() = 0;
    virtual bool Pause() = 0;
    virtual bool Resume() = 0;

    // Seconds of audio written to the current (or last) file, pauses excluded.
    virtual double ElapsedTime() const = 0;
    // Peak of the last captured block, 0..32768 (32768 = full scale).
    virtual int LeftLevel() const = 0;
    virtual int RightLevel() const = 0;
    // The last captured block, interleaved 16-bit samples.
    virtual std::vector<std::int16_t> WaveData() const = 0;

    // The listener stays in use until SetListener(nullptr) or the component's destruction.
    virtual void SetListener(IAudioRecordListener *listener) = 0;
    virtual AudioRecordStats Stats() const = 0;
};

// The plugin's one exported symbol: creates the component, or returns nullptr when the
// program asks for an interface version the plugin does not offer. The caller deletes it.
inline constexpr int AudioRecordInterfaceVersion = 1;
inline constexpr char AudioRecordEntryPoint[] = "sintonia_audioctl_create";
extern "C" {
using AudioRecordCreateFunction = IAudioRecord *(*)(int interfaceVersion);
}
