#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// A freedesktop key file (desktop entries, mimeapps.list, mimeinfo.cache) kept as the bytes it was
// read from, line by line with each line's own end, so that changing one key leaves every other
// group, key, comment, blank line, line end and byte (text in another encoding too) as it was.
class DesktopKeyFile
{
public:
    static DesktopKeyFile parse(const QByteArray& text);
    QByteArray serialize() const;

    // The value of the first occurrence of the key in the first group of that name.
    std::optional<QString> value(const QString& group, const QString& key) const;
    // Replaces the key's value where it stands, or adds it at the end of the group (the group at
    // the end of the file when there is none).
    void setValue(const QString& group, const QString& key, const QString& value);
    // True when the key was there. Every occurrence in the group goes.
    bool removeKey(const QString& group, const QString& key);

    // The desktop file ids of a list value ("a.desktop;b.desktop;"), in order, blanks dropped.
    static QStringList listItems(const QString& value);

private:
    struct Line
    {
        QByteArray text;   // without its end
        QByteArray ending; // "\n", "\r\n", or empty for a last line without one
    };
    // Lines [begin, end) of the first group of that name, the header excluded; nullopt if absent.
    struct Span
    {
        qsizetype begin;
        qsizetype end;
    };
    std::optional<Span> findGroup(const QByteArray& header) const;
    static std::optional<QByteArray> keyOf(const QByteArray& line);
    // The end new lines get: the file's first one, else a line feed.
    QByteArray newLineEnding() const;
    void insertLine(qsizetype at, const QByteArray& text);

    QList<Line> m_lines;
};
