#include "wavencoder.h"

#include "bytesink.h"
#include "formatcatalog.h"
#include "sndfileencoder.h"

#include <sndfile.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The file seen from `offset` on: libsndfile writes the samples here as if the file began
// with the first sample. Closing it leaves the file open for the header.
class OffsetSink final : public ByteSink
{
public:
    OffsetSink(ByteSink &file, std::int64_t offset) : m_file(file), m_offset(offset) {}

    std::int64_t write(const void *data, std::int64_t size) override { return m_file.write(data, size); }
    std::int64_t read(void *data, std::int64_t size) override { return m_file.read(data, size); }
    std::int64_t seek(std::int64_t offset, int whence) override
    {
        const std::int64_t position = m_file.seek(whence == SEEK_SET ? offset + m_offset : offset, whence);
        return position < 0 ? position : position - m_offset;
    }
    std::int64_t tell() override
    {
        const std::int64_t position = m_file.tell();
        return position < 0 ? position : position - m_offset;
    }
    std::int64_t length() override
    {
        const std::int64_t length = m_file.length();
        return length < 0 ? length : std::max<std::int64_t>(0, length - m_offset);
    }
    bool close() override { return true; }
    int failure() const override { return m_file.failure(); }

private:
    ByteSink &m_file;
    std::int64_t m_offset;
};

struct Coding
{
    int subtype;
    std::uint16_t tag;
    std::uint16_t bits;
};

constexpr Coding Codings[] = {
    {SF_FORMAT_PCM_16, WavHeader::TagPcm, 16},  {SF_FORMAT_PCM_24, WavHeader::TagPcm, 24},
    {SF_FORMAT_PCM_U8, WavHeader::TagPcm, 8},   {SF_FORMAT_FLOAT, WavHeader::TagFloat, 32},
    {SF_FORMAT_ALAW, WavHeader::TagALaw, 8},    {SF_FORMAT_ULAW, WavHeader::TagMuLaw, 8},
};

const Coding *codingOf(int sndfileFormat)
{
    if ((sndfileFormat & SF_FORMAT_TYPEMASK) != SF_FORMAT_WAV)
        return nullptr;
    for (const Coding &coding : Codings)
        if ((sndfileFormat & SF_FORMAT_SUBMASK) == coding.subtype)
            return &coding;
    return nullptr;
}

// Samples move up in blocks of this size when a file becomes RF64.
constexpr std::uint64_t MoveBlock = 1 << 20;

} // namespace

WavEncoder::WavEncoder(std::unique_ptr<ByteSink> sink, std::uint64_t riffLimit)
    : m_sink(std::move(sink))
    , m_riffLimit(riffLimit)
{
}

WavEncoder::~WavEncoder()
{
    close();
}

bool WavEncoder::writes(int sndfileFormat)
{
    return codingOf(sndfileFormat) != nullptr;
}

void WavEncoder::setFailure(const std::string &what)
{
    if (m_error.empty())
        m_error = m_sink->failure() != 0 ? describeWriteFailure(m_sink->failure()) : what;
}

bool WavEncoder::writeAt(std::uint64_t position, const char *data, std::uint64_t size)
{
    if (m_sink->seek(static_cast<std::int64_t>(position), SEEK_SET) < 0)
        return false;
    return m_sink->write(data, static_cast<std::int64_t>(size)) == static_cast<std::int64_t>(size);
}

bool WavEncoder::readAt(std::uint64_t position, char *data, std::uint64_t size)
{
    if (m_sink->seek(static_cast<std::int64_t>(position), SEEK_SET) < 0)
        return false;
    std::uint64_t done = 0;
    while (done < size) {
        const std::int64_t n = m_sink->read(data + done, static_cast<std::int64_t>(size - done));
        if (n <= 0)
            return false;
        done += static_cast<std::uint64_t>(n);
    }
    return true;
}

std::uint64_t WavEncoder::dataBytes()
{
    const std::int64_t length = m_sink->length();
    return length > static_cast<std::int64_t>(m_dataStart) ? static_cast<std::uint64_t>(length) - m_dataStart : 0;
}

bool WavEncoder::open(const EncoderSetting &setting, int channels, int sampleRate)
{
    const Coding *coding = codingOf(setting.sndfileFormat);
    const int outChannels = setting.channels > 0 ? setting.channels : channels;
    const int outRate = setting.sampleRate > 0 ? setting.sampleRate : sampleRate;
    if (!coding || outChannels < 1 || outChannels > 2 || outRate < 1) {
        m_error = "Formato WAV non disponibile.";
        return false;
    }
    m_format.tag = coding->tag;
    m_format.channels = static_cast<std::uint16_t>(outChannels);
    m_format.sampleRate = static_cast<std::uint32_t>(outRate);
    m_format.bitsPerSample = coding->bits;
    m_dataStart = WavHeader::plainSize(m_format);
    const std::string header = WavHeader::plain(m_format, 0);
    if (!writeAt(0, header.data(), header.size())) {
        setFailure("Impossibile creare il file.");
        return false;
    }
    EncoderSetting samples = setting;
    samples.sndfileFormat = SF_FORMAT_RAW | coding->subtype | SF_ENDIAN_LITTLE;
    samples.periodicHeader = false;
    m_samples = std::make_unique<SndFileEncoder>(
        std::make_unique<OffsetSink>(*m_sink, static_cast<std::int64_t>(m_dataStart)), false);
    if (!m_samples->open(samples, channels, sampleRate)) {
        setFailure(m_samples->error());
        m_samples.reset();
        return false;
    }
    m_open = true;
    return true;
}

bool WavEncoder::write(const float *frames, std::size_t frameCount)
{
    if (!m_open || !m_error.empty())
        return false;
    if (m_samples->write(frames, frameCount))
        return true;
    setFailure(m_samples->error());
    return false;
}

std::string WavEncoder::plainHeaderWithin(std::uint64_t data) const
{
    const std::uint64_t room = m_riffLimit > m_dataStart - 8 ? m_riffLimit - (m_dataStart - 8) : 0;
    std::uint64_t declared = std::min(data, room);
    declared -= declared % m_format.blockAlign();
    if (WavHeader::plainRiffSize(m_format, declared) > m_riffLimit && declared >= m_format.blockAlign())
        declared -= m_format.blockAlign();
    return WavHeader::plain(m_format, declared);
}

void WavEncoder::checkpoint()
{
    if (!m_open || !m_error.empty())
        return;
    // Past the limit the header keeps declaring what a plain file can hold, so that a file
    // left by a crash still plays up to there; close() makes it RF64.
    const std::int64_t position = m_sink->tell();
    const std::string header = plainHeaderWithin(dataBytes());
    if (position < 0 || !writeAt(0, header.data(), header.size()) || m_sink->seek(position, SEEK_SET) != position)
        setFailure("Errore di scrittura del file.");
}

bool WavEncoder::moveSamplesUp(std::uint64_t data)
{
    const std::uint64_t shift = WavHeader::Ds64ChunkSize;
    std::vector<char> block(static_cast<std::size_t>(std::min(MoveBlock, std::max<std::uint64_t>(data, 1))));
    // The last bytes first: they alone grow the file, so a full disk stops the move before
    // any sample has been overwritten.
    std::uint64_t left = data;
    std::uint64_t n = std::min(shift, left);
    while (left > 0) {
        const std::uint64_t from = m_dataStart + left - n;
        if (!readAt(from, block.data(), n) || !writeAt(from + shift, block.data(), n))
            return false;
        left -= n;
        n = std::min<std::uint64_t>(block.size(), left);
    }
    return true;
}

bool WavEncoder::close()
{
    if (!m_open)
        return m_error.empty();
    m_open = false;
    if (!m_samples->close())
        setFailure(m_samples->error());
    m_samples.reset();
    const std::uint64_t data = dataBytes();
    std::string header;
    bool padded = data % 2 != 0;
    std::uint64_t end = m_dataStart + data;
    if (WavHeader::plainRiffSize(m_format, data) <= m_riffLimit) {
        header = WavHeader::plain(m_format, data);
    } else if (moveSamplesUp(data)) {
        header = WavHeader::rf64(m_format, data);
        end += WavHeader::Ds64ChunkSize;
    } else {
        // The file could not grow by the ds64 chunk: it stays plain, cut at the limit.
        setFailure("Errore di scrittura del file.");
        header = plainHeaderWithin(data);
        padded = false;
    }
    // An odd number of data bytes is followed by a pad byte.
    const char pad = 0;
    if (padded)
        writeAt(end, &pad, 1);
    if (!writeAt(0, header.data(), header.size()))
        setFailure("Errore nella chiusura del file.");
    if (!m_sink->close())
        setFailure("Errore nella chiusura del file.");
    return m_error.empty();
}
