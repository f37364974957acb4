#pragma once

#include "system/StoreFile.h"
#include "system/UserStore.h"
#include "util/RegularFile.h"

#include <QMutex>
#include <QString>

// The per-user store kept in one text file. Every write re-reads the file under a lock file and
// replaces it atomically, so two processes writing different values never lose either. Reads
// parse the file once and again only when another process has replaced it.
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
    bool writeStrings(const QList<Write>& writes) override;

    // How often the file was parsed, for tests.
    int parses() const { return m_parses; }

private:
    const StoreFile& current() const;

    QString m_filePath;
    mutable QMutex m_mutex;
    mutable StoreFile m_cache;
    mutable korvane::FileStamp m_stamp;
    mutable int m_parses = 0;
};
