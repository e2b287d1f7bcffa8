#include "audiorecorder.h"

#include "bytesink.h"
#include "capturesession.h"
#include "encoder.h"
#include "formatcatalog.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::unique_ptr<ByteSink> openFile(const std::string &path, std::string &error)
{
    auto sink = std::make_unique<FileSink>();
    if (sink->open(path))
        return sink;
    error = "Impossibile creare il file " + path + " (" + std::strerror(sink->failure()) + ").";
    return nullptr;
}

} // namespace

AudioRecorder::AudioRecorder()
    : AudioRecorder(openFile)
{
}

AudioRecorder::AudioRecorder(SinkOpener opener)
    : m_openSink(std::move(opener))
{
}

AudioRecorder::~AudioRecorder()
{
    // A recording still running when the program ends is closed like after Stop.
    m_shared.setListener(nullptr);
    m_session.reset();
}

bool AudioRecorder::succeed()
{
    m_error.clear();
    return true;
}

bool AudioRecorder::fail(std::string reason)
{
    m_error = std::move(reason);
    return false;
}

bool AudioRecorder::ensureDevices()
{
    if (m_devicesListed)
        return true;
    std::string reason;
    if (!PulseDevices::list(m_devices, reason))
        return fail(reason);
    m_devicesListed = true;
    return true;
}

const CaptureDevice *AudioRecorder::selectedDevice() const
{
    return m_device >= 0 && m_device < static_cast<int>(m_devices.size()) ? &m_devices[static_cast<std::size_t>(m_device)]
                                                                           : nullptr;
}

bool AudioRecorder::DeviceCount(int &count)
{
    // Each count takes a fresh look at the server; names and selections refer to it.
    m_devicesListed = false;
    if (!ensureDevices())
        return false;
    count = static_cast<int>(m_devices.size());
    return succeed();
}

bool AudioRecorder::DeviceName(int index, std::string &name)
{
    if (!ensureDevices())
        return false;
    if (index < 0 || index >= static_cast<int>(m_devices.size()))
        return fail("Dispositivo di registrazione " + std::to_string(index) + " inesistente.");
    name = m_devices[static_cast<std::size_t>(index)].description;
    return succeed();
}

bool AudioRecorder::SelectDevice(int index)
{
    if (!ensureDevices())
        return false;
    if (index < 0 || index >= static_cast<int>(m_devices.size()))
        return fail("Dispositivo di registrazione " + std::to_string(index) + " inesistente.");
    m_device = index;
    m_source = -1;
    return succeed();
}

bool AudioRecorder::SourceCount(int &count)
{
    const CaptureDevice *device = selectedDevice();
    // Before a device is chosen there are no lines to offer.
    count = device ? std::max<int>(1, static_cast<int>(device->ports.size())) : 0;
    return succeed();
}

bool AudioRecorder::SourceName(int index, std::string &name)
{
    int count = 0;
    SourceCount(count);
    if (index < 0 || index >= count)
        return fail("Linea di registrazione " + std::to_string(index) + " inesistente.");
    const CaptureDevice *device = selectedDevice();
    name = device->ports.empty() ? device->description : device->ports[static_cast<std::size_t>(index)].description;
    return succeed();
}

bool AudioRecorder::SelectSource(int index)
{
    int count = 0;
    SourceCount(count);
    if (index < -1 || index >= count)
        return fail("Linea di registrazione " + std::to_string(index) + " inesistente.");
    m_source = index;
    return succeed();
}

bool AudioRecorder::SelectFormat(int index)
{
    if (index < 0 || index >= FormatCatalog::FormatCount)
        return fail("Formato di registrazione " + std::to_string(index) + " inesistente.");
    m_format = index;
    m_param = 0;
    return succeed();
}

bool AudioRecorder::ParamCount(int &count)
{
    count = static_cast<int>(FormatCatalog::formats()[static_cast<std::size_t>(m_format)].settings.size());
    return succeed();
}

bool AudioRecorder::SelectParam(int index)
{
    int count = 0;
    ParamCount(count);
    if (index < -1 || index >= count)
        return fail("Tipo di compressione " + std::to_string(index) + " inesistente.");
    m_param = index < 0 ? 0 : index;
    return succeed();
}

bool AudioRecorder::ParamName(std::string &name)
{
    name = FormatCatalog::formats()[static_cast<std::size_t>(m_format)].settings[static_cast<std::size_t>(m_param)].name;
    return succeed();
}

bool AudioRecorder::SetVolume(int volume)
{
    if (volume < 0 || volume > 100)
        return fail("Volume " + std::to_string(volume) + " fuori dall'intervallo 0..100.");
    m_shared.gainPercent = volume;
    return succeed();
}

bool AudioRecorder::SetOutputFile(const std::string &path)
{
    if (path.empty())
        return fail("Nessun file di destinazione.");
    m_outputFile = path;
    return succeed();
}

bool AudioRecorder::StartRecording(int channels, int sampleRate)
{
    if (m_session && !m_session->finished())
        return fail("Una registrazione è già in corso.");
    m_session.reset();
    const CaptureDevice *device = selectedDevice();
    if (!device)
        return fail("Nessun dispositivo di registrazione selezionato.");
    if (channels < 1 || channels > 2 || sampleRate < 8000 || sampleRate > 192000)
        return fail("Formato di cattura non supportato.");
    if (m_outputFile.empty())
        return fail("Nessun file di destinazione.");

    const EncoderSetting &setting =
        FormatCatalog::formats()[static_cast<std::size_t>(m_format)].settings[static_cast<std::size_t>(m_param)];
    std::string reason;
    std::unique_ptr<ByteSink> sink = m_openSink(m_outputFile, reason);
    if (!sink)
        return fail(reason);
    std::unique_ptr<Encoder> encoder = openEncoder(setting, std::move(sink), channels, sampleRate, reason);
    if (!encoder) {
        std::remove(m_outputFile.c_str());
        return fail(reason);
    }
    CaptureRequest request;
    request.source = device->name;
    if (m_source >= 0 && m_source < static_cast<int>(device->ports.size()))
        request.port = device->ports[static_cast<std::size_t>(m_source)].name;
    request.deviceDescription = device->description;
    request.channels = channels;
    request.sampleRate = sampleRate;

    m_shared.resetCounters();
    m_shared.paused = false;
    m_shared.sampleRate = sampleRate;
    m_session = std::make_unique<CaptureSession>(std::move(request), std::move(encoder), m_shared);
    if (!m_session->start(reason)) {
        // Nothing was recorded: no empty file is left behind.
        m_session.reset();
        std::remove(m_outputFile.c_str());
        return fail(reason);
    }
    return succeed();
}

bool AudioRecorder::Stop()
{
    if (m_session)
        m_session->stop();
    m_shared.paused = false;
    return succeed();
}

bool AudioRecorder::Pause()
{
    if (m_session && !m_session->finished())
        m_shared.paused = true;
    return succeed();
}

bool AudioRecorder::Resume()
{
    m_shared.paused = false;
    return succeed();
}

double AudioRecorder::ElapsedTime() const
{
    return static_cast<double>(m_shared.framesWritten.load()) / m_shared.sampleRate.load();
}

AudioRecordStats AudioRecorder::Stats() const
{
    AudioRecordStats stats;
    stats.framesCaptured = m_shared.framesCaptured;
    stats.framesWritten = m_shared.framesWritten;
    stats.overruns = m_shared.overruns;
    stats.holeFrames = m_shared.holeFrames;
    return stats;
}
