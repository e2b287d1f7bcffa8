#include "capturesession.h"

#include "encoder.h"
#include "pulseloop.h"

#include <pulse/error.h>
#include <pulse/introspect.h>
#include <pulse/stream.h>
#include <pulse/timeval.h>

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
    loop.await(operation, [&] { return done || m_stopRequested; }, deadlineIn(2000));
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
        if (recording && m_fault.empty() && pa_stream_get_state(m_stream) == PA_STREAM_READY)
            readRest(loop);
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

void CaptureSession::readRest(PulseLoop &loop)
{
    // First what has reached this side already.
    if (!loop.dispatchPending())
        return;
    onReadable();
    // A source sends what it records a fragment at a time: what it recorded since its last
    // block is still at the server, and more when the disk kept this thread waiting. Ask how
    // far it has recorded, then read up to there and no further, so that the file ends
    // where the recording was stopped.
    bool answered = false;
    pa_operation *update = pa_stream_update_timing_info(
        m_stream, [](pa_stream *, int, void *user) { *static_cast<bool *>(user) = true; }, &answered);
    if (!loop.await(update, [&] { return answered || !m_fault.empty(); }, deadlineIn(StopAnswerMs)))
        return;
    pa_usec_t behind = 0;
    int negative = 0;
    // Negative: this side holds more already (the monitor of an output is rendered ahead).
    if (pa_stream_get_latency(m_stream, &behind, &negative) < 0 || negative)
        return;
    behind = std::min<pa_usec_t>(behind, pa_usec_t(BufferSeconds) * PA_USEC_PER_SEC);
    m_readLimit = m_framesRead + behind * static_cast<std::uint64_t>(m_request.sampleRate) / PA_USEC_PER_SEC;
    onReadable();
    loop.runUntil([this] { return m_framesRead >= m_readLimit || !m_fault.empty(); }, deadlineIn(StopReadMs));
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
        const std::size_t taken = bytes / frameBytes;
        // Past the point where the recording was stopped, samples are taken but not kept.
        const std::size_t frames = static_cast<std::size_t>(
            std::min<std::uint64_t>(taken, m_readLimit - std::min(m_readLimit, m_framesRead)));
        m_framesRead += taken;
        if (frames > 0 && data) {
            process(static_cast<const float *>(data), frames);
        } else if (frames > 0) {
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
