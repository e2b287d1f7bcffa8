#include "captureshared.h"

void CaptureShared::resetCounters()
{
    framesCaptured = 0;
    framesWritten = 0;
    overruns = 0;
    holeFrames = 0;
    leftLevel = 0;
    rightLevel = 0;
}

void CaptureShared::publishBlock(std::vector<std::int16_t> &block)
{
    const std::lock_guard lock(m_blockMutex);
    m_block.swap(block);
}

std::vector<std::int16_t> CaptureShared::lastBlock() const
{
    const std::lock_guard lock(m_blockMutex);
    return m_block;
}

void CaptureShared::setListener(IAudioRecordListener *listener)
{
    const std::lock_guard lock(m_listenerMutex);
    m_listener = listener;
}

void CaptureShared::notifyWaveData()
{
    const std::lock_guard lock(m_listenerMutex);
    if (m_listener)
        m_listener->waveDataReady();
}

void CaptureShared::notifyFailure(const std::string &reason)
{
    const std::lock_guard lock(m_listenerMutex);
    if (m_listener)
        m_listener->recordingFailed(reason);
}
