#pragma once

#include "system/StoreFile.h"
#include "system/UserStore.h"

// Keeps the store in memory, with the same key and name rules as the file-backed one.
class FakeUserStore : public UserStore
{
public:
    QString readString(const QString& keyPath, const QString& valueName,
                       const QString& defaultValue = QString()) const override
    {
        return m_store.value(keyPath, valueName).value_or(defaultValue);
    }
    bool writeString(const QString& keyPath, const QString& valueName,
                     const QString& value) override
    {
        if (failWrites) {
            return false;
        }
        m_store.setValue(keyPath, valueName, value);
        return true;
    }
    bool deleteValue(const QString& keyPath, const QString& valueName) override
    {
        return m_store.removeValue(keyPath, valueName);
    }
    bool hasValue(const QString& keyPath, const QString& valueName) const override
    {
        return m_store.value(keyPath, valueName).has_value();
    }
    bool writeStrings(const QList<Write>& writes) override
    {
        ++batches;
        return UserStore::writeStrings(writes);
    }

    bool failWrites = false;
    // How many times several values were written at once.
    int batches = 0;

private:
    StoreFile m_store;
};
