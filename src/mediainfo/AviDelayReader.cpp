#include "mediainfo/AviDelayReader.h"

#include "mediainfo/RiffParser.h"
#include "util/Logging.h"
#include "util/Rounding.h"

#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <optional>

namespace {

constexpr quint16 TagAc3 = 0x2000;
constexpr quint16 TagMpeg = 0x50;
constexpr quint16 TagMpegLayer3 = 0x55;

// A fixed record, zero-filled where the chunk is shorter, so a short chunk reads as zeros.
template <std::size_t Size> struct Record
{
    explicit Record(const QByteArray& data)
    {
        std::memcpy(bytes.data(), data.constData(),
                    std::min(Size, static_cast<std::size_t>(data.size())));
    }
    quint16 u16(std::size_t offset) const
    {
        return qFromLittleEndian<quint16>(bytes.data() + offset);
    }
    quint32 u32(std::size_t offset) const
    {
        return qFromLittleEndian<quint32>(bytes.data() + offset);
    }
    QByteArray text(std::size_t offset) const
    {
        return QByteArray(reinterpret_cast<const char*>(bytes.data() + offset), 4);
    }

    std::array<unsigned char, Size> bytes{};
};

AviDelayReader::StreamHeader parseStreamHeader(const QByteArray& raw)
{
    const Record<56> data(raw);
    AviDelayReader::StreamHeader header;
    header.fccType = data.text(0);
    header.fccHandler = data.text(4);
    header.dwFlags = data.u32(8);
    header.wPriority = data.u16(12);
    header.wLanguage = data.u16(14);
    header.dwInitialFrames = data.u32(16);
    header.dwScale = data.u32(20);
    header.dwRate = data.u32(24);
    header.dwStart = data.u32(28);
    header.dwLength = data.u32(32);
    header.dwSuggestedBufferSize = data.u32(36);
    header.dwQuality = data.u32(40);
    header.dwSampleSize = data.u32(44);
    for (int i = 0; i < 4; ++i) {
        header.rcFrame[i] = static_cast<qint16>(data.u16(48 + 2 * i));
    }
    return header;
}

AviDelayReader::AudioFormat parseAudioFormat(const QByteArray& raw)
{
    const Record<18> data(raw);
    AviDelayReader::AudioFormat format;
    format.wFormatTag = data.u16(0);
    format.nChannels = data.u16(2);
    format.nSamplesPerSec = data.u32(4);
    format.nAvgBytesPerSec = data.u32(8);
    format.nBlockAlign = data.u16(12);
    format.wBitsPerSample = data.u16(14);
    format.cbSize = data.u16(16);
    return format;
}

// Zero-based offset of the first frame start, tested from the first to the next-to-last byte.
std::optional<qsizetype> findFrameStart(const QByteArray& data, quint16 tag)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    for (qsizetype i = 0; i + 1 < data.size(); ++i) {
        if (tag == TagAc3 ? bytes[i] == 0x0B && bytes[i + 1] == 0x77
                          : bytes[i] == 0xFF && (bytes[i + 1] & 0x03) == 0x03) {
            return i;
        }
    }
    return std::nullopt;
}

// A delay that does not fit the 32-bit field makes the file malformed.
std::optional<qint32> toDelay(double milliseconds)
{
    if (!(milliseconds > -2147483649.0 && milliseconds < 2147483648.0)) {
        return std::nullopt;
    }
    const std::int64_t rounded = korvane::roundHalfEven(milliseconds);
    if (rounded < std::numeric_limits<qint32>::min() ||
        rounded > std::numeric_limits<qint32>::max()) {
        return std::nullopt;
    }
    return static_cast<qint32>(rounded);
}

} // namespace

bool AviDelayReader::streamIsAudio(int index) const
{
    return index >= 0 && index < streamCount() &&
           m_streams[static_cast<std::size_t>(index)].header.fccType == "auds";
}

qint32 AviDelayReader::StreamDelay(int index) const
{
    if (index < 0 || index >= streamCount()) {
        return DelayUnknown;
    }
    return m_streams[static_cast<std::size_t>(index)].delay;
}

bool AviDelayReader::open(const QString& myFile)
{
    m_streams.clear();
    m_fileName.clear();
    RiffParser parser;
    if (!parser.open(myFile) || parser.fileFourCC != "AVI ") {
        return false;
    }
    if (!walk(parser)) {
        qCDebug(lcMediaInfo) << "malformed AVI structure in" << myFile << "at" << parser.position();
        m_streams.clear();
        return false;
    }
    m_fileName = myFile;
    return true;
}

bool AviDelayReader::walk(RiffParser& parser)
{
    for (;;) {
        if (!parser.readChunk()) {
            return false;
        }
        if (parser.chunkType == QLatin1String("eof")) {
            return true;
        }
        const QByteArray& id = parser.chunkFourCC;
        if (parser.chunkType == QLatin1String("list")) {
            if (id == "idx1" && !parser.skipChunk()) {
                return false;
            }
        } else if (id == "strh") {
            StreamEntry entry;
            entry.header = parseStreamHeader(parser.readBytes(qMin<qint64>(56, parser.chunkSize)));
            if (entry.header.dwRate == 0) {
                entry.header.dwRate = 1;
            }
            entry.format.nAvgBytesPerSec = 1;
            m_streams.push_back(entry);
        } else if (id == "strf") {
            // A format before any stream header belongs to nothing.
            if (!m_streams.empty() && m_streams.back().header.fccType == "auds") {
                m_streams.back().format =
                    parseAudioFormat(parser.readBytes(qMin<qint64>(18, parser.chunkSize)));
            }
        } else if (id.endsWith("wb")) {
            const char tens = id.at(0);
            const char ones = id.at(1);
            if (tens < '0' || tens > '9' || ones < '0' || ones > '9') {
                return false;
            }
            const auto stream = static_cast<std::size_t>((tens - '0') * 10 + (ones - '0'));
            // Audio of a stream that has no header is ignored.
            if (stream < m_streams.size() && m_streams[stream].delay == DelayUnknown &&
                !readAudioChunk(parser, m_streams[stream])) {
                return false;
            }
        }
        if (parser.position() > WalkLimit) {
            return true;
        }
    }
}

bool AviDelayReader::readAudioChunk(RiffParser& parser, StreamEntry& entry)
{
    const StreamHeader& header = entry.header;
    const double startOffset = static_cast<double>(header.dwStart) * header.dwScale /
                               static_cast<double>(header.dwRate) * 1000.0;
    const quint16 tag = entry.format.wFormatTag;
    if (parser.chunkSize < 1 || (tag != TagAc3 && tag != TagMpeg && tag != TagMpegLayer3)) {
        const std::optional<qint32> delay = toDelay(startOffset);
        if (!delay) {
            return false;
        }
        entry.delay = *delay;
        return true;
    }

    // A chunk larger than the search limit ends with "no frame start" whatever it holds, so
    // nothing past the limit is ever read.
    const qint64 dataStart = parser.position();
    const QByteArray data = parser.readBytes(qMin<qint64>(parser.chunkSize, SearchLimit));
    parser.seek(dataStart + parser.chunkSize);

    if (const std::optional<qsizetype> offset = findFrameStart(data, tag)) {
        entry.bytesBeforeSync += *offset;
        // Encoders write a byte rate of 0 for MP3 in AVI; a frame at the very first byte needs no
        // rate, only data before it does.
        double sinceStart = 0.0;
        if (entry.bytesBeforeSync > 0) {
            if (entry.format.nAvgBytesPerSec == 0) {
                return false;
            }
            sinceStart = static_cast<double>(
                korvane::roundHalfEven(static_cast<double>(entry.bytesBeforeSync) /
                                       entry.format.nAvgBytesPerSec * 1000.0));
        }
        const std::optional<qint32> delay = toDelay(startOffset + sinceStart);
        if (!delay) {
            return false;
        }
        entry.delay = *delay;
    }
    entry.bytesBeforeSync += parser.chunkSize;
    if (entry.bytesBeforeSync > SearchLimit) {
        entry.delay = DelayNoFrameStart;
    }
    return true;
}
