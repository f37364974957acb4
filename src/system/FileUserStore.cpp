#include "system/FileUserStore.h"

#include "system/StoreFile.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

StoreFile readStore(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return StoreFile::parse(file.readAll());
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

template <typename Change> bool changeStore(const QString& path, Change change)
{
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(10000);
    if (!lock.tryLock(10000)) {
        qCWarning(lcSystem) << "store is locked:" << path;
        return false;
    }
    StoreFile store = readStore(path);
    if (!change(store)) {
        return false;
    }
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly)) {
        return false;
    }
    out.write(store.serialize());
    return out.commit();
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
