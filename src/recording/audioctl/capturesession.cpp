#include "capturesession.h"

#include "encoder.h"
#include "pulseloop.h"

#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/stream.h>

#include <algorithm>
#include <cmath>

namespace {

const char *const DeviceLost = "Il dispositivo di registrazione non è più disponibile: registrazione interrotta. "
                               "Il file registrato fin qui è stato chiuso.";
const char *const ServerLost = "La connessione al server audio PulseAudio si è interrotta: registrazione interrotta. "
                               "Il file registrato fin qui è stato chiuso.";

int peakLevel(float peak)
{
    return static_cast<int>(std::lround(std::min(peak, 1.0f) * 32768.0f));
}

std::int16_t toSample(float value)
{
    const float scaled = std::clamp(value, -1.0f, 32767.0f / 32768.0f) * 32768.0f;
    return static_cast<std::int16_t>(scaled + (scaled >= 0 ? 0.5f : -0.5f));
}

} // namespace

CaptureSession::CaptureSession(CaptureRequest request, std::unique_ptr<Encoder> encoder, CaptureShared &shared)
    : m_request(std::move(request))
    , m_encoder(std::move(encoder))
    , m_shared(shared)
{
}

CaptureSession::~CaptureSession()
{
    stop();
}

bool CaptureSession::start(std::string &error, int timeoutMs)
{
    std::future<std::string> started = m_started.get_future();
    m_thread = std::thread(&CaptureSession::run, this);
    if (started.wait_for(std::chrono::milliseconds(timeoutMs)) != std::future_status::ready) {
        stop();
        error = "Il server audio PulseAudio non risponde.";
        return false;
    }
    error = started.get();
    if (error.empty())
        return true;
    stop();
    return false;
}

void CaptureSession::stop()
{
    m_stopRequested = true;
    {
        const std::lock_guard lock(m_loopMutex);
        if (m_loop)
            m_loop->wakeUp();
    }
    if (m_thread.joinable())
        m_thread.join();
}

void CaptureSession::fault(const std::string &reason)
{
    if (m_fault.empty())
        m_fault = reason;
}

void CaptureSession::setPort(PulseLoop &loop)
{
    // Best effort: a port that cannot be made active leaves the one in use.
    bool done = false;
    pa_operation *operation = pa_context_set_source_port_by_name(
        loop.context(), m_request.source.c_str(), m_request.port.c_str(),
        [](pa_context *, int, void *user) { *static_cast<bool *>(user) = true; }, &done);
    if (!operation)
        return;
    loop.runUntil([&] { return done || m_stopRequested; }, deadlineIn(2000));
    pa_operation_unref(operation);
}

bool CaptureSession::open(PulseLoop &loop, std::string &error)
{
    const auto deadline = deadlineIn(5000);
    if (!loop.connect(deadline, error))
        return false;
    if (!m_request.port.empty())
        setPort(loop);
    const pa_sample_spec sampleFormat {PA_SAMPLE_FLOAT32LE, static_cast<uint32_t>(m_request.sampleRate),
                               static_cast<uint8_t>(m_request.channels)};
    m_stream = pa_stream_new(loop.context(), "Registrazione", &sampleFormat, nullptr);
    if (!m_stream) {
        error = "Impossibile aprire il flusso di registrazione (" + loop.lastError() + ").";
        return false;
    }
    pa_stream_set_read_callback(m_stream, &CaptureSession::readCallback, this);
    pa_stream_set_state_callback(m_stream, &CaptureSession::stateCallback, this);
    pa_stream_set_overflow_callback(m_stream, &CaptureSession::overflowCallback, this);
    const uint32_t frameBytes = static_cast<uint32_t>(pa_frame_size(&sampleFormat));
    pa_buffer_attr attributes {};
    attributes.maxlength = frameBytes * static_cast<uint32_t>(m_request.sampleRate * BufferSeconds);
    // A block every 100 ms: fresh levels for the page's 100 ms clock, few wake-ups.
    attributes.fragsize = frameBytes * static_cast<uint32_t>(m_request.sampleRate / 10);
    attributes.tlength = attributes.prebuf = attributes.minreq = static_cast<uint32_t>(-1);
    // A device that goes away ends the recording instead of moving it to another input.
    const auto flags = static_cast<pa_stream_flags_t>(PA_STREAM_DONT_MOVE | PA_STREAM_ADJUST_LATENCY);
    if (pa_stream_connect_record(m_stream, m_request.source.c_str(), &attributes, flags) < 0) {
        error = "Impossibile registrare da " + m_request.deviceDescription + " (" + loop.lastError() + ").";
        return false;
    }
    const bool settled = loop.runUntil(
        [this] {
            const pa_stream_state_t state = pa_stream_get_state(m_stream);
            return state == PA_STREAM_READY || !PA_STREAM_IS_GOOD(state) || m_stopRequested;
        },
        deadline);
    if (pa_stream_get_state(m_stream) == PA_STREAM_READY)
        return true;
    error = settled ? "Impossibile registrare da " + m_request.deviceDescription + " (" + loop.lastError() + ")."
                    : std::string("Il server audio PulseAudio non risponde.");
    return false;
}

void CaptureSession::run()
{
    {
        PulseLoop loop;
        {
            const std::lock_guard lock(m_loopMutex);
            m_loop = &loop;
        }
        std::string error;
        const bool recording = open(loop, error);
        m_startReported = true;
        m_started.set_value(recording ? std::string() : error);
        while (recording && !m_stopRequested && m_fault.empty()) {
            if (!loop.iterate(200))
                fault(ServerLost);
        }
        if (m_stream) {
            pa_stream_set_read_callback(m_stream, nullptr, nullptr);
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_set_overflow_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
            m_stream = nullptr;
        }
        const std::lock_guard lock(m_loopMutex);
        m_loop = nullptr;
    }
    if (m_encoder && !m_encoder->close() && m_fault.empty() && !m_stopRequested)
        fault(m_encoder->error());
    m_finished = true;
    if (!m_fault.empty() && !m_stopRequested)
        m_shared.notifyFailure(m_fault);
}

void CaptureSession::readCallback(pa_stream *, std::size_t, void *user)
{
    static_cast<CaptureSession *>(user)->onReadable();
}

void CaptureSession::stateCallback(pa_stream *, void *user)
{
    static_cast<CaptureSession *>(user)->onStreamState();
}

void CaptureSession::overflowCallback(pa_stream *, void *user)
{
    ++static_cast<CaptureSession *>(user)->m_shared.overruns;
}

void CaptureSession::onStreamState()
{
    if (!m_startReported)
        return;
    const pa_stream_state_t state = pa_stream_get_state(m_stream);
    if (state != PA_STREAM_FAILED && state != PA_STREAM_TERMINATED)
        return;
    const pa_context_state_t server = pa_context_get_state(pa_stream_get_context(m_stream));
    fault(server == PA_CONTEXT_READY ? DeviceLost : ServerLost);
}

void CaptureSession::onReadable()
{
    const std::size_t frameBytes = sizeof(float) * static_cast<std::size_t>(m_request.channels);
    while (m_fault.empty() && pa_stream_readable_size(m_stream) > 0) {
        const void *data = nullptr;
        std::size_t bytes = 0;
        if (pa_stream_peek(m_stream, &data, &bytes) < 0) {
            fault(ServerLost);
            return;
        }
        if (bytes == 0)
            return;
        const std::size_t frames = bytes / frameBytes;
        if (data) {
            process(static_cast<const float *>(data), frames);
        } else {
            // The server lost these frames; silence keeps the file in time.
            m_shared.holeFrames += frames;
            m_silence.assign(frames * static_cast<std::size_t>(m_request.channels), 0.0f);
            process(m_silence.data(), frames);
        }
        pa_stream_drop(m_stream);
    }
}

void CaptureSession::process(const float *samples, std::size_t frames)
{
    const int channels = m_request.channels;
    const std::size_t count = frames * static_cast<std::size_t>(channels);
    const float gain = static_cast<float>(m_shared.gainPercent.load()) / 100.0f;
    m_scaled.resize(count);
    std::vector<std::int16_t> &block = m_block;
    block.resize(count);
    float peaks[2] = {0.0f, 0.0f};
    for (std::size_t i = 0; i < count; ++i) {
        const float value = samples[i] * gain;
        m_scaled[i] = value;
        block[i] = toSample(value);
        float &peak = peaks[channels == 1 ? 0 : i % 2];
        peak = std::max(peak, std::fabs(value));
    }
    m_shared.leftLevel = peakLevel(peaks[0]);
    m_shared.rightLevel = peakLevel(channels == 1 ? peaks[0] : peaks[1]);
    m_shared.framesCaptured += frames;
    if (!m_shared.paused) {
        if (!m_encoder->write(m_scaled.data(), frames)) {
            fault(m_encoder->error());
            return;
        }
        m_shared.framesWritten += frames;
        m_framesSinceCheckpoint += frames;
        if (m_framesSinceCheckpoint >= static_cast<std::uint64_t>(m_request.sampleRate)) {
            m_framesSinceCheckpoint = 0;
            m_encoder->checkpoint();
        }
    }
    m_shared.publishBlock(block);
    m_shared.notifyWaveData();
}
