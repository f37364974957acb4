#pragma once

#include <QByteArray>
#include <QFile>
#include <QtEndian>
#include <optional>

namespace korvane::test {

// Little helpers that lay out RIFF bytes by hand, so every odd shape can be written on purpose.
inline QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

inline QByteArray le16(quint16 value)
{
    QByteArray bytes(2, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

// A chunk with its pad byte; declaredSize overrides the size field (for lying headers).
inline QByteArray riffChunk(const char* id, const QByteArray& data,
                            std::optional<quint32> declaredSize = std::nullopt)
{
    QByteArray bytes = QByteArray(id, 4) + le32(declaredSize.value_or(quint32(data.size()))) + data;
    if (data.size() % 2 != 0) {
        bytes += '\0';
    }
    return bytes;
}

inline QByteArray riffList(const char* type, const QByteArray& members,
                           std::optional<quint32> declaredSize = std::nullopt)
{
    return QByteArray("LIST", 4) + le32(declaredSize.value_or(quint32(members.size() + 4))) +
           QByteArray(type, 4) + members;
}

inline QByteArray riffFile(const char* form, const QByteArray& body)
{
    return QByteArray("RIFF", 4) + le32(quint32(body.size() + 4)) + QByteArray(form, 4) + body;
}

// A 56-byte stream header of the given type with its timing fields.
inline QByteArray streamHeader(const char* type, quint32 scale = 1, quint32 rate = 25,
                               quint32 start = 0)
{
    QByteArray data = QByteArray(type, 4) + QByteArray("\0\0\0\0", 4) + le32(0) + le16(0) +
                      le16(0) + le32(0) + le32(scale) + le32(rate) + le32(start);
    data += QByteArray(56 - data.size(), '\0');
    return riffChunk("strh", data);
}

// An 18-byte audio format with the given tag and average byte rate.
inline QByteArray audioFormat(quint16 tag, quint32 avgBytesPerSec)
{
    return riffChunk("strf", le16(tag) + le16(2) + le32(48000) + le32(avgBytesPerSec) + le16(4) +
                                 le16(16) + le16(0));
}

// Header list with one stream list per (strh, strf) pair.
inline QByteArray headerList(const QList<QByteArray>& streams)
{
    QByteArray members = riffChunk("avih", QByteArray(56, '\0'));
    for (const QByteArray& stream : streams) {
        members += riffList("strl", stream);
    }
    return riffList("hdrl", members);
}

// Audio data whose first frame start sits at the given offset (0xFF 0xFB for MPEG, 0x0B 0x77
// for AC-3), with filler that matches neither.
inline QByteArray audioData(qsizetype size, std::optional<qsizetype> syncAt, bool ac3 = false)
{
    QByteArray data(size, '\x11');
    if (syncAt) {
        data[*syncAt] = ac3 ? '\x0B' : '\xFF';
        data[*syncAt + 1] = ac3 ? '\x77' : '\xFB';
    }
    return data;
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

} // namespace korvane::test
