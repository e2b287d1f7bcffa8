#pragma once

#include "recording/iaudiorecord.h"

#include <QStringList>

#include <set>

// A recorder component that does what the test says: every call is logged, the named
// operations fail, the clock and levels are set by hand.
class FakeAudioRecord final : public IAudioRecord
{
public:
    std::vector<std::string> devices = {"Monitor of Speakers", "Microphone"};
    std::vector<std::vector<std::string>> sources = {{"Monitor of Speakers"}, {"Front mic", "Rear mic"}};
    std::vector<int> paramCounts = {3, 2, 2, 2, 2, 2, 2, 2, 2};
    std::set<std::string> failing; // operation names
    QStringList calls;
    double elapsed = 0;
    int left = 0;
    int right = 0;
    IAudioRecordListener *listener = nullptr;

    const std::string &error() const override { return m_error; }
    bool DeviceCount(int &count) override
    {
        count = static_cast<int>(devices.size());
        return log("DeviceCount");
    }
    bool DeviceName(int index, std::string &name) override
    {
        name = devices.at(static_cast<std::size_t>(index));
        return log("DeviceName", index);
    }
    bool SelectDevice(int index) override
    {
        m_device = index;
        return log("SelectDevice", index);
    }
    bool SourceCount(int &count) override
    {
        count = m_device < 0 ? 0 : static_cast<int>(sources.at(static_cast<std::size_t>(m_device)).size());
        return log("SourceCount");
    }
    bool SourceName(int index, std::string &name) override
    {
        name = sources.at(static_cast<std::size_t>(m_device)).at(static_cast<std::size_t>(index));
        return log("SourceName", index);
    }
    bool SelectSource(int index) override { return log("SelectSource", index); }
    bool SelectFormat(int index) override
    {
        m_format = index;
        return log("SelectFormat", index);
    }
    bool ParamCount(int &count) override
    {
        count = paramCounts.at(static_cast<std::size_t>(m_format));
        return log("ParamCount");
    }
    bool SelectParam(int index) override
    {
        m_param = index;
        return log("SelectParam", index);
    }
    bool ParamName(std::string &name) override
    {
        name = "F" + std::to_string(m_format) + "P" + std::to_string(m_param);
        return log("ParamName");
    }
    bool SetVolume(int volume) override { return log("SetVolume", volume); }
    bool SetOutputFile(const std::string &path) override
    {
        outputFile = path;
        return log("SetOutputFile");
    }
    bool StartRecording(int channels, int rate) override
    {
        calls << QStringLiteral("StartRecording(%1,%2)").arg(channels).arg(rate);
        return pass("StartRecording");
    }
    bool Stop() override { return log("Stop"); }
    bool Pause() override { return log("Pause"); }
    bool Resume() override { return log("Resume"); }
    double ElapsedTime() const override { return elapsed; }
    int LeftLevel() const override { return left; }
    int RightLevel() const override { return right; }
    std::vector<std::int16_t> WaveData() const override { return {1, 2}; }
    void SetListener(IAudioRecordListener *l) override { listener = l; }
    AudioRecordStats Stats() const override { return {}; }

    std::string outputFile;

private:
    bool pass(const std::string &operation)
    {
        if (failing.count(operation)) {
            m_error = operation + " failed";
            return false;
        }
        m_error.clear();
        return true;
    }
    bool log(const char *operation, int argument)
    {
        calls << QStringLiteral("%1(%2)").arg(QLatin1String(operation)).arg(argument);
        return pass(operation);
    }
    bool log(const char *operation)
    {
        calls << QLatin1String(operation);
        return pass(operation);
    }

    std::string m_error;
    int m_device = -1;
    int m_format = 0;
    int m_param = 0;
};
