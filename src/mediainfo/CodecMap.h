#pragma once

#include <QHash>
#include <QString>

// Readable names for the codec names the decoder prints. Loaded once, then only read, so one map
// may serve any number of threads.
class CodecMap
{
public:
    // The readable name for a codec text, or the text itself when no key matches.
    QString lookup(const QString& codec) const { return m_names.value(codec, codec); }
    // The first value for a key stays; later ones are ignored.
    void insert(const QString& key, const QString& value);
    qsizetype size() const { return m_names.size(); }
    bool isEmpty() const { return m_names.isEmpty(); }
    bool contains(const QString& key) const { return m_names.contains(key); }

private:
    QHash<QString, QString> m_names;
};

// Reads a map file: one "key, value" per line, blanks around both trimmed, lines without a comma
// skipped. A key that reads as a number never names a codec and is left out. A missing or empty
// file gives an empty map.
CodecMap loadCodecMap(const QString& path);
// The same rules on text already read.
CodecMap parseCodecMap(const QString& text);
