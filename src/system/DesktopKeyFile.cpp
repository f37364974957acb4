#include "system/DesktopKeyFile.h"

DesktopKeyFile DesktopKeyFile::parse(const QByteArray& text)
{
    DesktopKeyFile file;
    if (text.isEmpty()) {
        return file;
    }
    QString all = QString::fromUtf8(text);
    all.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (all.endsWith(u'\n')) {
        all.chop(1);
    }
    file.m_lines = all.split(u'\n');
    return file;
}

QByteArray DesktopKeyFile::serialize() const
{
    if (m_lines.isEmpty()) {
        return {};
    }
    // Every line ends with a line end, the last one too.
    return (m_lines.join(u'\n') + u'\n').toUtf8();
}

std::optional<QString> DesktopKeyFile::keyOf(const QString& line)
{
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(u'#') || trimmed.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype equals = trimmed.indexOf(u'=');
    if (equals <= 0) {
        return std::nullopt;
    }
    return trimmed.left(equals).trimmed();
}

std::optional<DesktopKeyFile::Span> DesktopKeyFile::findGroup(const QString& group) const
{
    const QString header = u'[' + group + u']';
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (m_lines[i].trimmed() != header) {
            continue;
        }
        qsizetype end = i + 1;
        while (end < m_lines.size() && !m_lines[end].trimmed().startsWith(u'[')) {
            ++end;
        }
        return Span{i + 1, end};
    }
    return std::nullopt;
}

std::optional<QString> DesktopKeyFile::value(const QString& group, const QString& key) const
{
    const std::optional<Span> span = findGroup(group);
    if (!span) {
        return std::nullopt;
    }
    for (qsizetype i = span->begin; i < span->end; ++i) {
        if (keyOf(m_lines[i]) == key) {
            const QString& line = m_lines[i];
            return line.mid(line.indexOf(u'=') + 1).trimmed();
        }
    }
    return std::nullopt;
}

void DesktopKeyFile::setValue(const QString& group, const QString& key, const QString& value)
{
    const QString line = key + u'=' + value;
    const std::optional<Span> span = findGroup(group);
    if (!span) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty()) {
            m_lines.append(QString());
        }
        m_lines.append(u'[' + group + u']');
        m_lines.append(line);
        return;
    }
    for (qsizetype i = span->begin; i < span->end; ++i) {
        if (keyOf(m_lines[i]) == key) {
            m_lines[i] = line;
            return;
        }
    }
    // After the group's last key, before the blank lines that part it from the next group.
    qsizetype at = span->end;
    while (at > span->begin && m_lines[at - 1].trimmed().isEmpty()) {
        --at;
    }
    m_lines.insert(at, line);
}

bool DesktopKeyFile::removeKey(const QString& group, const QString& key)
{
    const std::optional<Span> span = findGroup(group);
    if (!span) {
        return false;
    }
    bool removed = false;
    for (qsizetype i = span->end - 1; i >= span->begin; --i) {
        if (keyOf(m_lines[i]) == key) {
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
