#pragma once

#include "system/UserStore.h"

#include <QMutex>
#include <QString>

// The per-user store kept in one text file. Every write re-reads the file under a lock file and
// replaces it atomically, so two processes writing different values never lose either.
class FileUserStore : public UserStore
{
public:
    // Default location: $XDG_CONFIG_HOME/Korvane/store.ini.
    FileUserStore();
    explicit FileUserStore(QString filePath);

    static QString defaultFilePath();
    QString filePath() const { return m_filePath; }

    QString readString(const QString& keyPath, const QString& valueName,
                       const QString& defaultValue = QString()) const override;
    bool writeString(const QString& keyPath, const QString& valueName,
                     const QString& value) override;
    bool deleteValue(const QString& keyPath, const QString& valueName) override;
    bool hasValue(const QString& keyPath, const QString& valueName) const override;

private:
    QString m_filePath;
    mutable QMutex m_mutex;
};
