#pragma once

#include "recording/iaudiorecord.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

// What the capture thread and the interface calls share: counters and levels as atomics,
// the last block and the listener under a lock.
struct CaptureShared
{
    std::atomic<int> gainPercent {100};
    std::atomic<bool> paused {false};
    std::atomic<int> sampleRate {44100};
    std::atomic<std::uint64_t> framesCaptured {0};
    std::atomic<std::uint64_t> framesWritten {0};
    std::atomic<std::uint64_t> overruns {0};
    std::atomic<std::uint64_t> holeFrames {0};
    std::atomic<int> leftLevel {0};
    std::atomic<int> rightLevel {0};

    void resetCounters();
    void publishBlock(std::vector<std::int16_t> &block);
    std::vector<std::int16_t> lastBlock() const;

    void setListener(IAudioRecordListener *listener);
    void notifyWaveData();
    void notifyFailure(const std::string &reason);

private:
    mutable std::mutex m_blockMutex;
    std::vector<std::int16_t> m_block;
    std::mutex m_listenerMutex;
    IAudioRecordListener *m_listener = nullptr;
};
