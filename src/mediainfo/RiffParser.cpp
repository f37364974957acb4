#include "mediainfo/RiffParser.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

RiffParser::~RiffParser()
{
    close();
}

void RiffParser::close()
{
    if (fileHandle >= 0) {
        ::close(fileHandle);
        fileHandle = -1;
    }
}

bool RiffParser::open(const QString& path)
{
    close();
    m_position = 0;
    m_nextPosition = -1;
    currentChunk = 0;
    fileHandle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fileHandle < 0) {
        return false;
    }
    struct stat info
    {};
    if (::fstat(fileHandle, &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    m_length = info.st_size;
    if (readBytes(4) != "RIFF") {
        return false;
    }
    const QByteArray size = readBytes(4);
    fileSize = size.size() == 4 ? qFromLittleEndian<qint32>(size.constData()) : 0;
    fileFourCC = readBytes(4);
    fileName = path;
    return true;
}

QByteArray RiffParser::readBytes(qint64 maxBytes)
{
    const qint64 available = m_length - m_position;
    const qint64 wanted = qMin(maxBytes, available);
    if (fileHandle < 0 || wanted <= 0) {
        return QByteArray();
    }
    QByteArray data(static_cast<qsizetype>(wanted), Qt::Uninitialized);
    qint64 done = 0;
    while (done < wanted) {
        const ssize_t got = ::pread(fileHandle, data.data() + done,
                                    static_cast<size_t>(wanted - done), m_position + done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += got;
    }
    data.truncate(static_cast<qsizetype>(done));
    m_position += done;
    return data;
}

bool RiffParser::readChunk()
{
    if (m_nextPosition >= 0) {
        m_position = m_nextPosition;
    }
    ++currentChunk;
    const QByteArray header = readBytes(8);
    if (header.size() < 8) {
        chunkType = QStringLiteral("eof");
        return true;
    }
    const QByteArray id = header.left(4);
    const qint32 size = qFromLittleEndian<qint32>(header.constData() + 4);
    if (size < 0) {
        return false;
    }
    if (id != "LIST") {
        if (size % 2 != 0 && size == std::numeric_limits<qint32>::max()) {
            return false;
        }
        chunkType = QStringLiteral("chunk");
        chunkSize = size + size % 2;
        chunkFourCC = id;
        m_nextPosition = m_position + chunkSize;
        return true;
    }
    chunkType = QStringLiteral("list");
    chunkSize = size - 4;
    chunkFourCC = readBytes(4);
    m_nextPosition = -1;
    if (chunkFourCC.size() < 4) {
        chunkType = QStringLiteral("eof");
    }
    return true;
}

bool RiffParser::skipChunk()
{
    if (chunkSize < 0) {
        return false;
    }
    m_position += chunkSize;
    return true;
}
