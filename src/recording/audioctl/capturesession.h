#pragma once

#include "captureshared.h"

#include <atomic>
#include <future>
#include <limits>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class Encoder;
class PulseLoop;
struct pa_stream;

struct CaptureRequest
{
    std::string source;  // PulseAudio source name
    std::string port;    // port to make active first; empty keeps the active one
    std::string deviceDescription;
    int channels = 2;
    int sampleRate = 44100;
};

// One recording: a thread that reads the source and feeds the encoder. The sound server
// keeps up to BufferSeconds of audio for the thread, so a slow disk does not lose
// samples; the user-interface thread never touches the samples on their way to the file.
class CaptureSession
{
public:
    static constexpr int BufferSeconds = 8;
    // At stop: how long the server may take to say how far it has recorded, and to send
    // the audio up to there.
    static constexpr int StopAnswerMs = 500;
    static constexpr int StopReadMs = 500;

    CaptureSession(CaptureRequest request, std::unique_ptr<Encoder> encoder, CaptureShared &shared);
    ~CaptureSession();
    CaptureSession(const CaptureSession &) = delete;
    CaptureSession &operator=(const CaptureSession &) = delete;

    // Starts the thread and waits until the stream records (true) or fails. On failure
    // the thread has ended and the encoder is closed.
    bool start(std::string &error, int timeoutMs = 6000);
    // Ends the recording and waits for the file to be closed. Safe to call repeatedly.
    void stop();
    // True once the thread has ended by itself (a fault) or after stop().
    bool finished() const { return m_finished; }

private:
    void run();
    bool open(PulseLoop &loop, std::string &error);
    void onReadable();
    void onStreamState();
    void process(const float *samples, std::size_t frames);
    void fault(const std::string &reason);
    void setPort(PulseLoop &loop);
    void readRest(PulseLoop &loop);

    static void readCallback(pa_stream *, std::size_t, void *user);
    static void stateCallback(pa_stream *, void *user);
    static void overflowCallback(pa_stream *, void *user);

    CaptureRequest m_request;
    std::unique_ptr<Encoder> m_encoder;
    CaptureShared &m_shared;
    std::thread m_thread;
    std::promise<std::string> m_started;
    bool m_startReported = false;
    std::atomic<bool> m_stopRequested {false};
    std::atomic<bool> m_finished {false};
    std::mutex m_loopMutex;
    PulseLoop *m_loop = nullptr; // the thread's loop while it runs, under m_loopMutex
    pa_stream *m_stream = nullptr;
    std::string m_fault;
    std::vector<float> m_scaled;
    std::vector<float> m_silence;
    std::vector<std::int16_t> m_block; // swapped with the shared last block
    std::uint64_t m_framesSinceCheckpoint = 0;
    std::uint64_t m_framesRead = 0; // frames taken from the stream, holes included
    // The stream position where the recording was stopped, once known.
    std::uint64_t m_readLimit = std::numeric_limits<std::uint64_t>::max();
};
