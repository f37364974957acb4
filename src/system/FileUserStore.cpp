#include "system/FileUserStore.h"

#include "system/StoreFile.h"
#include "util/BackupName.h"
#include "util/FileReplacement.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <optional>

namespace {

enum class ReadFor
{
    Reading,
    Changing,
};

// What a damaged store held stays beside it before a write leaves the damage out.
void keepDamagedStore(const QString& path, const QByteArray& bytes)
{
    const QString backup = korvane::backupName(path);
    QString error;
    if (korvane::replaceFile(backup, bytes, &error)) {
        qCWarning(lcSystem).noquote()
            << "the store held lines that are not ours; kept as" << backup;
    } else {
        qCWarning(lcSystem).noquote()
            << "cannot keep the damaged store as" << backup << "-" << error;
    }
}

// A store that exists but cannot be read must not be replaced by one holding only the change;
// anything but a regular file in its place counts as no store.
std::optional<StoreFile> readStore(const QString& path, ReadFor purpose,
                                   QByteArray* bytes = nullptr)
{
    const korvane::RegularFileRead read = korvane::readRegularFile(path);
    switch (read.status) {
    case korvane::RegularFileRead::Status::Read:
        if (bytes) {
            *bytes = read.bytes;
        }
        return StoreFile::parse(read.bytes);
    case korvane::RegularFileRead::Status::Missing:
        return StoreFile();
    case korvane::RegularFileRead::Status::NotRegular:
        qCWarning(lcSystem).noquote() << "the store is not a regular file, taken as empty:" << path;
        return StoreFile();
    case korvane::RegularFileRead::Status::Failed:
        qCWarning(lcSystem).noquote() << "cannot read the store:" << path << "-" << read.error;
        if (purpose == ReadFor::Reading) {
            return StoreFile();
        }
        break;
    }
    return std::nullopt;
}

} // namespace

FileUserStore::FileUserStore() : FileUserStore(defaultFilePath()) {}

FileUserStore::FileUserStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString FileUserStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Korvane/store.ini");
}

const StoreFile& FileUserStore::current() const
{
    // The file is only ever replaced whole, so reading it needs no lock, and a replacement
    // shows in its stamp.
    const korvane::FileStamp stamp = korvane::FileStamp::of(m_filePath);
    // A missing file keeps the initial stamp, and the empty store is right for it.
    if (stamp != m_stamp) {
        m_cache = readStore(m_filePath, ReadFor::Reading).value_or(StoreFile());
        m_stamp = stamp;
        ++m_parses;
    }
    return m_cache;
}

QString FileUserStore::readString(const QString& keyPath, const QString& valueName,
                                  const QString& defaultValue) const
{
    QMutexLocker guard(&m_mutex);
    return current().value(keyPath, valueName).value_or(defaultValue);
}

bool FileUserStore::hasValue(const QString& keyPath, const QString& valueName) const
{
    QMutexLocker guard(&m_mutex);
    return current().value(keyPath, valueName).has_value();
}

namespace {

QString lockFailure(const QLockFile& lock)
{
    switch (lock.error()) {
    case QLockFile::LockFailedError:
        return QStringLiteral("store is locked by another process");
    case QLockFile::PermissionError:
        return QStringLiteral("no permission to write in the store's folder");
    default:
        return QStringLiteral("cannot lock the store");
    }
}

template <typename Change> bool changeStore(const QString& path, Change change)
{
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        qCWarning(lcSystem).noquote() << "cannot create the store's folder" << folder;
        return false;
    }
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(10000)) {
        qCWarning(lcSystem).noquote() << lockFailure(lock) << "-" << path;
        return false;
    }
    QByteArray before;
    std::optional<StoreFile> read = readStore(path, ReadFor::Changing, &before);
    if (!read) {
        qCWarning(lcSystem).noquote() << "cannot read the store, left as it is:" << path;
        return false;
    }
    StoreFile& store = *read;
    if (!change(store)) {
        return false;
    }
    if (store.damaged()) {
        keepDamagedStore(path, before);
    }
    QString error;
    if (!korvane::replaceFile(path, store.serialize(), &error)) {
        qCWarning(lcSystem).noquote()
            << "store not saved, the old one is kept:" << path << "-" << error;
        return false;
    }
    return true;
}

} // namespace

bool FileUserStore::writeString(const QString& keyPath, const QString& valueName,
                                const QString& value)
{
    return writeStrings({Write{keyPath, valueName, value}});
}

bool FileUserStore::writeStrings(const QList<Write>& writes)
{
    QMutexLocker guard(&m_mutex);
    return changeStore(m_filePath, [&](StoreFile& store) {
        for (const Write& write : writes) {
            store.setValue(write.keyPath, write.valueName, write.value);
        }
        return true;
    });
}

bool FileUserStore::deleteValue(const QString& keyPath, const QString& valueName)
{
    QMutexLocker guard(&m_mutex);
    return changeStore(m_filePath,
                       [&](StoreFile& store) { return store.removeValue(keyPath, valueName); });
}
