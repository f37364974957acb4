#pragma once

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QVariant>

// A string-keyed map of typed values (int, float, bool, QString or a nested OrderedMap) that
// keeps its entries in insertion order. Keys compare case-sensitively.
class OrderedMap
{
public:
    struct Entry
    {
        QString key;
        QVariant value;
        friend bool operator==(const Entry&, const Entry&) = default;
    };

    // A new key goes to the end; an existing key keeps its place and takes the new value.
    void insert(const QString& key, const QVariant& value);
    QVariant value(const QString& key, const QVariant& defaultValue = QVariant()) const;
    bool contains(const QString& key) const;
    bool remove(const QString& key);

    QStringList keys() const;
    const QList<Entry>& entries() const { return m_entries; }
    qsizetype size() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.isEmpty(); }

    QList<Entry>::const_iterator begin() const { return m_entries.cbegin(); }
    QList<Entry>::const_iterator end() const { return m_entries.cend(); }

    // One JSON object, keys in their stored order; nested maps become nested objects.
    QByteArray toJson() const;

    friend bool operator==(const OrderedMap&, const OrderedMap&) = default;

private:
    qsizetype indexOf(const QString& key) const;

    QList<Entry> m_entries;
};

Q_DECLARE_METATYPE(OrderedMap)
