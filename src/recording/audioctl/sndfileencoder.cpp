#include "sndfileencoder.h"

#include "bytesink.h"
#include "formatcatalog.h"

namespace {

ByteSink *sinkOf(void *user)
{
    return static_cast<ByteSink *>(user);
}

sf_count_t sinkLength(void *user)
{
    return sinkOf(user)->length();
}

sf_count_t sinkSeek(sf_count_t offset, int whence, void *user)
{
    return sinkOf(user)->seek(offset, whence);
}

sf_count_t sinkRead(void *data, sf_count_t count, void *user)
{
    return sinkOf(user)->read(data, count);
}

sf_count_t sinkWrite(const void *data, sf_count_t count, void *user)
{
    const sf_count_t done = sinkOf(user)->write(data, count);
    return done < 0 ? 0 : done;
}

sf_count_t sinkTell(void *user)
{
    return sinkOf(user)->tell();
}

SF_VIRTUAL_IO sinkIo = {sinkLength, sinkSeek, sinkRead, sinkWrite, sinkTell};

} // namespace

SndFileEncoder::SndFileEncoder(std::unique_ptr<ByteSink> sink, bool periodicHeader)
    : m_sink(std::move(sink))
    , m_periodicHeader(periodicHeader)
{
}

SndFileEncoder::~SndFileEncoder()
{
    close();
}

void SndFileEncoder::setFailure(const std::string &what)
{
    if (!m_error.empty())
        return;
    m_error = m_sink->failure() != 0 ? describeWriteFailure(m_sink->failure()) : what;
}

bool SndFileEncoder::open(const EncoderSetting &setting, int channels, int sampleRate)
{
    const int outChannels = setting.channels > 0 ? setting.channels : channels;
    const int outRate = setting.sampleRate > 0 ? setting.sampleRate : sampleRate;
    if (outChannels != channels || outRate != sampleRate) {
        m_adapter = std::make_unique<SampleAdapter>(channels, sampleRate, outChannels, outRate);
        if (!m_adapter->valid()) {
            m_error = "Conversione dei campioni non disponibile per il formato scelto.";
            return false;
        }
    }
    SF_INFO info {};
    info.samplerate = outRate;
    info.channels = outChannels;
    info.format = setting.sndfileFormat;
    m_file = sf_open_virtual(&sinkIo, SFM_WRITE, &info, m_sink.get());
    if (!m_file) {
        setFailure(std::string("Impossibile creare il file: ") + sf_strerror(nullptr));
        return false;
    }
    m_pairs = (setting.sndfileFormat & SF_FORMAT_SUBMASK) == SF_FORMAT_VOX_ADPCM && outChannels == 1;
    sf_command(m_file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    if (setting.constantBitRate) {
        int mode = SF_BITRATE_MODE_CONSTANT;
        sf_command(m_file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
    }
    if (setting.compressionLevel >= 0) {
        double level = setting.compressionLevel;
        sf_command(m_file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
    }
    return true;
}

bool SndFileEncoder::writeConverted(const float *frames, std::size_t frameCount)
{
    if (m_pairs) {
        // Mono only: an odd sample waits for the next block.
        m_paired.assign(m_carry.begin(), m_carry.end());
        m_paired.insert(m_paired.end(), frames, frames + frameCount);
        m_carry.clear();
        if (m_paired.size() % 2 != 0) {
            m_carry.push_back(m_paired.back());
            m_paired.pop_back();
        }
        frames = m_paired.data();
        frameCount = m_paired.size();
    }
    const auto wanted = static_cast<sf_count_t>(frameCount);
    if (wanted == 0)
        return true;
    const sf_count_t written = sf_writef_float(m_file, frames, wanted);
    // Some of libsndfile's coders do not pass on a refused write: the sink tells.
    if (written < wanted || m_sink->failure() != 0) {
        setFailure(std::string("Errore di scrittura del file: ") + sf_strerror(m_file));
        return false;
    }
    return true;
}

bool SndFileEncoder::write(const float *frames, std::size_t frameCount)
{
    if (!m_file || !m_error.empty())
        return false;
    if (!m_adapter)
        return writeConverted(frames, frameCount);
    const std::vector<float> &out = m_adapter->convert(frames, frameCount);
    return writeConverted(out.data(), out.size() / static_cast<std::size_t>(m_adapter->outChannels()));
}

void SndFileEncoder::checkpoint()
{
    if (m_file && m_periodicHeader && m_error.empty())
        sf_command(m_file, SFC_UPDATE_HEADER_NOW, nullptr, 0);
}

bool SndFileEncoder::close()
{
    if (!m_file)
        return m_error.empty();
    if (m_adapter && m_error.empty()) {
        const std::vector<float> &rest = m_adapter->convert(nullptr, 0);
        writeConverted(rest.data(), rest.size() / static_cast<std::size_t>(m_adapter->outChannels()));
    }
    if (m_pairs && !m_carry.empty() && m_error.empty()) {
        const float last[2] = {m_carry.front(), 0.0f};
        m_carry.clear();
        m_pairs = false;
        writeConverted(last, 2);
    }
    // libsndfile rewrites the header with the final length here, also after a failed write.
    if (sf_close(m_file) != 0)
        setFailure("Errore nella chiusura del file.");
    m_file = nullptr;
    if (!m_sink->close())
        setFailure("Errore nella chiusura del file.");
    return m_error.empty();
}
