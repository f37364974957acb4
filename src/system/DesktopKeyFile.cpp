#include "system/DesktopKeyFile.h"

DesktopKeyFile DesktopKeyFile::parse(const QByteArray& text)
{
    DesktopKeyFile file;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype feed = text.indexOf('\n', from);
        if (feed < 0) {
            file.m_lines.append(Line{text.mid(from), QByteArray()});
            break;
        }
        // Only the CR right before a line feed belongs to the line's end; any other CR is text.
        const bool crlf = feed > from && text.at(feed - 1) == '\r';
        const qsizetype textEnd = crlf ? feed - 1 : feed;
        file.m_lines.append(Line{text.mid(from, textEnd - from),
                                 crlf ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n")});
        from = feed + 1;
    }
    return file;
}

QByteArray DesktopKeyFile::serialize() const
{
    QByteArray out;
    for (const Line& line : m_lines) {
        out += line.text + line.ending;
    }
    return out;
}

QByteArray DesktopKeyFile::newLineEnding() const
{
    for (const Line& line : m_lines) {
        if (!line.ending.isEmpty()) {
            return line.ending;
        }
    }
    return QByteArrayLiteral("\n");
}

void DesktopKeyFile::insertLine(qsizetype at, const QByteArray& text)
{
    // The line before takes its end before a new line follows it.
    if (at > 0 && m_lines[at - 1].ending.isEmpty()) {
        m_lines[at - 1].ending = newLineEnding();
    }
    m_lines.insert(at, Line{text, newLineEnding()});
}

std::optional<QByteArray> DesktopKeyFile::keyOf(const QByteArray& line)
{
    const QByteArray trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith('#') || trimmed.startsWith('[')) {
        return std::nullopt;
    }
    const qsizetype equals = trimmed.indexOf('=');
    if (equals <= 0) {
        return std::nullopt;
    }
    return trimmed.left(equals).trimmed();
}

std::optional<DesktopKeyFile::Span> DesktopKeyFile::findGroup(const QByteArray& header) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].text.trimmed() != header) {
            continue;
        }
        qsizetype end = i + 1;
        while (end < m_lines.size() && !m_lines[end].text.trimmed().startsWith('[')) {
            ++end;
        }
        return Span{i + 1, end};
    }
    return std::nullopt;
}

namespace {

QByteArray headerOf(const QString& group)
{
    return '[' + group.toUtf8() + ']';
}

} // namespace

std::optional<QString> DesktopKeyFile::value(const QString& group, const QString& key) const
{
    const std::optional<Span> span = findGroup(headerOf(group));
    if (!span) {
        return std::nullopt;
    }
    const QByteArray name = key.toUtf8();
    for (qsizetype i = span->begin; i < span->end; ++i) {
        if (keyOf(m_lines[i].text) == name) {
            const QByteArray& line = m_lines[i].text;
            return QString::fromUtf8(line.mid(line.indexOf('=') + 1).trimmed());
        }
    }
    return std::nullopt;
}

void DesktopKeyFile::setValue(const QString& group, const QString& key, const QString& value)
{
    const QByteArray name = key.toUtf8();
    const QByteArray line = name + '=' + value.toUtf8();
    const QByteArray header = headerOf(group);
    const std::optional<Span> span = findGroup(header);
    if (!span) {
        if (!m_lines.isEmpty() && !m_lines.last().text.trimmed().isEmpty()) {
            insertLine(m_lines.size(), QByteArray());
        }
        insertLine(m_lines.size(), header);
        insertLine(m_lines.size(), line);
        return;
    }
    for (qsizetype i = span->begin; i < span->end; ++i) {
        if (keyOf(m_lines[i].text) == name) {
            // A line that already says this keeps its own spelling and spacing.
            const QByteArray& old = m_lines[i].text;
            if (old.mid(old.indexOf('=') + 1).trimmed() != value.toUtf8()) {
                m_lines[i].text = line;
            }
            return;
        }
    }
    // After the group's last key, before the blank lines that part it from the next group.
    qsizetype at = span->end;
    while (at > span->begin && m_lines[at - 1].text.trimmed().isEmpty()) {
        --at;
    }
    insertLine(at, line);
}

bool DesktopKeyFile::removeKey(const QString& group, const QString& key)
{
    const std::optional<Span> span = findGroup(headerOf(group));
    if (!span) {
        return false;
    }
    const QByteArray name = key.toUtf8();
    bool removed = false;
    for (qsizetype i = span->end - 1; i >= span->begin; --i) {
        if (keyOf(m_lines[i].text) == name) {
            m_lines.removeAt(i);
            removed = true;
        }
    }
    return removed;
}

QStringList DesktopKeyFile::listItems(const QString& value)
{
    QStringList items;
    for (const QString& item : value.split(u';')) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty()) {
            items.append(trimmed);
        }
    }
    return items;
}
