#pragma once

#include <QList>
#include <QString>

// The per-user store: keys are backslash-separated paths ("Software\Taskel\Korvane\..."), values
// are strings, and an empty value name stands for the key's default value. Key paths and value
// names compare without regard to case.
class UserStore
{
public:
    virtual ~UserStore() = default;

    virtual QString readString(const QString& keyPath, const QString& valueName,
                               const QString& defaultValue = QString()) const = 0;
    // Creates the key when it does not exist yet. False when the store could not be written.
    virtual bool writeString(const QString& keyPath, const QString& valueName,
                             const QString& value) = 0;
    // True when the value existed and is gone now.
    virtual bool deleteValue(const QString& keyPath, const QString& valueName) = 0;
    virtual bool hasValue(const QString& keyPath, const QString& valueName) const = 0;

    struct Write
    {
        QString keyPath;
        QString valueName;
        QString value;
    };
    // Several values at once: a store kept in a file writes it once for all of them.
    virtual bool writeStrings(const QList<Write>& writes)
    {
        bool all = true;
        for (const Write& write : writes) {
            all = writeString(write.keyPath, write.valueName, write.value) && all;
        }
        return all;
    }
};
