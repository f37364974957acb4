#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// A freedesktop key file (desktop entries, mimeapps.list, mimeinfo.cache) kept line by line, so
// that changing one key leaves every other group, key, comment and blank line as it was.
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
    // Lines [begin, end) of the first group of that name, the header excluded; nullopt if absent.
    struct Span
    {
        qsizetype begin;
        qsizetype end;
    };
    std::optional<Span> findGroup(const QString& group) const;
    static std::optional<QString> keyOf(const QString& line);

    QStringList m_lines;
};
