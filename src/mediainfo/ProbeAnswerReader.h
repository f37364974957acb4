#pragma once

#include <QByteArray>

// Reads the probe worker's answers from its socket with a buffer of its own: a header line, then
// the number of bytes the header names.
class ProbeAnswerReader
{
public:
    explicit ProbeAnswerReader(int fd) : m_fd(fd) {}

    // False when the socket ends first, or when a line grows past any header's length.
    bool line(QByteArray& out);
    bool bytes(qsizetype count, QByteArray& out);

private:
    bool fill();

    int m_fd;
    QByteArray m_buffer;
};
