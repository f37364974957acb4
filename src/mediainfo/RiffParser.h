#pragma once

#include <QByteArray>
#include <QString>

// Forward-only walker over the chunks and lists of a RIFF file. Every size comes from the file and
// is never trusted: reads stop at the end of the file, nothing is allocated by a size the file
// claims, and the walk only ever moves forward.
class RiffParser
{
public:
    RiffParser() = default;
    ~RiffParser();
    RiffParser(const RiffParser&) = delete;
    RiffParser& operator=(const RiffParser&) = delete;

    // Opens the file and reads its header; true when it starts with "RIFF".
    bool open(const QString& path);
    // Reads the next item into chunkType, chunkSize and chunkFourCC. Running past the end of the
    // file is no error: chunkType becomes "eof". Returns false for a size that cannot be data
    // (negative, or too large to hold once made even).
    bool readChunk();
    // Moves past the current item's data; false when its size is negative.
    bool skipChunk();

    // Reads up to maxBytes from the current position; fewer at the end of the file.
    QByteArray readBytes(qint64 maxBytes);
    // Zero-based offset of the next byte to read.
    qint64 position() const { return m_position; }
    void seek(qint64 position) { m_position = position; }

    QByteArray fileFourCC;
    qint32 fileSize = 0;
    int fileHandle = -1;
    QString fileName;
    QString chunkType;
    qint32 chunkSize = 0;
    QByteArray chunkFourCC;
    qint32 currentChunk = 0;

private:
    void close();

    qint64 m_position = 0;
    qint64 m_length = 0;
    // Offset of the item after the current chunk; -1 after a list, whose members follow at once.
    qint64 m_nextPosition = -1;
};
