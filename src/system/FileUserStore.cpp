#include "system/FileUserStore.h"

#include "system/StoreFile.h"
#include "util/FileReplacement.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <optional>

namespace {

StoreFile readStore(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return StoreFile::parse(file.readAll());
}

// A store that exists but cannot be read must not be replaced by one holding only the change.
std::optional<StoreFile> readStoreToChange(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists()) {
            return StoreFile();
        }
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        return std::nullopt;
    }
    return StoreFile::parse(bytes);
}

} // namespace

FileUserStore::FileUserStore() : FileUserStore(defaultFilePath()) {}

FileUserStore::FileUserStore(QString filePath) : m_filePath(std::move(filePath)) {}

QString FileUserStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Korvane/store.ini");
}

QString FileUserStore::readString(const QString& keyPath, const QString& valueName,
                                  const QString& defaultValue) const
{
    // The file is only ever replaced whole, so reading it needs no lock.
    return readStore(m_filePath).value(keyPath, valueName).value_or(defaultValue);
}

bool FileUserStore::hasValue(const QString& keyPath, const QString& valueName) const
{
    return readStore(m_filePath).value(keyPath, valueName).has_value();
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
    std::optional<StoreFile> read = readStoreToChange(path);
    if (!read) {
        qCWarning(lcSystem).noquote() << "cannot read the store, left as it is:" << path;
        return false;
    }
    StoreFile& store = *read;
    if (!change(store)) {
        return false;
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
    QMutexLocker guard(&m_mutex);
    return changeStore(m_filePath, [&](StoreFile& store) {
        store.setValue(keyPath, valueName, value);
        return true;
    });
}

bool FileUserStore::deleteValue(const QString& keyPath, const QString& valueName)
{
    QMutexLocker guard(&m_mutex);
    return changeStore(m_filePath,
                       [&](StoreFile& store) { return store.removeValue(keyPath, valueName); });
}
