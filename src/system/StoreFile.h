#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The text form of the per-user store: one "[key path]" line per key followed by its
// "name=value" lines. The key's default value is written under the name "@". Characters that
// would break a line ('%', CR, LF, and '=', '[', ']', a leading '@' in names) are percent-encoded.
class StoreFile
{
public:
    struct Value
    {
        QString name;
        QString data;
    };
    struct Key
    {
        QString path;
        QList<Value> values;
        // Case-folded value name -> place in values.
        QHash<QString, qsizetype> index;
    };

    static StoreFile parse(const QByteArray& text);
    QByteArray serialize() const;

    std::optional<QString> value(const QString& keyPath, const QString& valueName) const;
    void setValue(const QString& keyPath, const QString& valueName, const QString& data);
    bool removeValue(const QString& keyPath, const QString& valueName);

    const QList<Key>& keys() const { return m_keys; }
    // The text read held lines or bytes that the next write leaves out.
    bool damaged() const { return m_damaged; }

private:
    Key* findKey(const QString& keyPath);
    const Key* findKey(const QString& keyPath) const;
    Key& keyFor(const QString& keyPath);
    static void setIn(Key& key, const QString& valueName, const QString& data);

    // Looked up by case-folded path, so a store of thousands of keys reads in linear time.
    QList<Key> m_keys;
    QHash<QString, qsizetype> m_index;
    bool m_damaged = false;
};
