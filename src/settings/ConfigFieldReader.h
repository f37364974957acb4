#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// Reads Config.cfg as a stream of fields. A field ends at its terminator (a comma or one line end,
// CR LF, CR or LF), which is consumed with it, so an empty line is an empty string.
class ConfigFieldReader
{
public:
    static bool isLineEnd(QChar c) { return c == u'\r' || c == u'\n'; }

    explicit ConfigFieldReader(QStringView text) : m_text(text) {}

    std::optional<QString> readString()
    {
        skipBlanks();
        if (atEnd()) {
            return std::nullopt;
        }
        if (peek() != u'"') {
            const qsizetype start = m_pos;
            while (!atEnd() && peek() != u',' && !isLineEnd(peek())) {
                ++m_pos;
            }
            const QString value = m_text.sliced(start, m_pos - start).toString();
            consumeTerminator();
            return value;
        }
        ++m_pos;
        QString value;
        while (!atEnd()) {
            const QChar c = m_text[m_pos++];
            if (c != u'"') {
                value += c;
            } else if (!atEnd() && peek() == u'"') {
                value += c;
                ++m_pos;
            } else {
                break;
            }
        }
        // Anything between the closing quote and the terminator is not part of the value.
        while (!atEnd() && peek() != u',' && !isLineEnd(peek())) {
            ++m_pos;
        }
        consumeTerminator();
        return value;
    }

    std::optional<qint64> readNumber(qint64 min, qint64 max)
    {
        while (!atEnd() && (peek() == u' ' || isLineEnd(peek()))) {
            ++m_pos;
        }
        if (atEnd()) {
            return std::nullopt;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && peek() != u' ' && peek() != u',' && !isLineEnd(peek())) {
            ++m_pos;
        }
        const auto value = toInteger(m_text.sliced(start, m_pos - start), min, max);
        skipBlanks();
        consumeTerminator();
        return value;
    }

private:
    static std::optional<qint64> toInteger(QStringView token, qint64 min, qint64 max)
    {
        bool negative = false;
        if (!token.isEmpty() && (token.front() == u'-' || token.front() == u'+')) {
            negative = token.front() == u'-';
            token = token.sliced(1);
        }
        if (token.isEmpty()) {
            return std::nullopt;
        }
        qint64 magnitude = 0;
        for (QChar c : token) {
            if (c < u'0' || c > u'9') {
                return std::nullopt;
            }
            magnitude = magnitude * 10 + (c.unicode() - u'0');
            if (magnitude > max + 1) {
                return std::nullopt; // stop before the accumulator itself can overflow
            }
        }
        const qint64 value = negative ? -magnitude : magnitude;
        if (value < min || value > max) {
            return std::nullopt;
        }
        return value;
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return m_text[m_pos]; }

    void skipBlanks()
    {
        while (!atEnd() && peek() == u' ') {
            ++m_pos;
        }
    }

    void consumeTerminator()
    {
        if (atEnd()) {
            return;
        }
        if (peek() == u',') {
            ++m_pos;
        } else if (peek() == u'\r') {
            ++m_pos;
            if (!atEnd() && peek() == u'\n') {
                ++m_pos;
            }
        } else if (peek() == u'\n') {
            ++m_pos;
        }
    }

    QStringView m_text;
    qsizetype m_pos = 0;
};
