#include "mediainfo/ProbeAnswerReader.h"

#include <cerrno>
#include <unistd.h>

bool ProbeAnswerReader::line(QByteArray& out)
{
    for (;;) {
        const qsizetype end = m_buffer.indexOf('\n');
        if (end >= 0) {
            out = m_buffer.left(end);
            m_buffer.remove(0, end + 1);
            return true;
        }
        if (m_buffer.size() > 256 || !fill()) {
            return false;
        }
    }
}

bool ProbeAnswerReader::bytes(qsizetype count, QByteArray& out)
{
    while (m_buffer.size() < count) {
        if (!fill()) {
            return false;
        }
    }
    out = m_buffer.left(count);
    m_buffer.remove(0, count);
    return true;
}

bool ProbeAnswerReader::fill()
{
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(m_fd, chunk, sizeof(chunk));
        if (got > 0) {
            m_buffer.append(chunk, got);
            return true;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        return false;
    }
}
