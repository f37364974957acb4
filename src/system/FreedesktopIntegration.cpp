#include "system/FreedesktopIntegration.h"

#include "system/DesktopKeyFile.h"
#include "util/FileReplacement.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace {

const QString kDefaults = QStringLiteral("Default Applications");

QString environmentFolder(const char* name, const QString& fallback)
{
    const QString value = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(value) ? value : QDir::homePath() + fallback;
}

QStringList environmentList(const char* name, const QStringList& fallback)
{
    QStringList folders;
    for (const QString& folder : qEnvironmentVariable(name).split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(folder)) {
            folders.append(folder);
        }
    }
    return folders.isEmpty() ? fallback : folders;
}

std::optional<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    return file.readAll();
}

// The mode a replaced file keeps; a new one is readable by all, as desktop files are.
int fileMode(const QString& path)
{
    struct stat status
    {};
    const QByteArray name = QFile::encodeName(path);
    if (::stat(name.constData(), &status) != 0) {
        return 0644;
    }
    return static_cast<int>(status.st_mode & 07777);
}

DesktopKeyFile readKeyFile(const QString& path)
{
    return DesktopKeyFile::parse(readFile(path).value_or(QByteArray()));
}

} // namespace

FreedesktopIntegration::FreedesktopIntegration()
    : FreedesktopIntegration(environmentFolder("XDG_CONFIG_HOME", QStringLiteral("/.config")),
                             environmentFolder("XDG_DATA_HOME", QStringLiteral("/.local/share")),
                             environmentList("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")}),
                             environmentList("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"),
                                                               QStringLiteral("/usr/share")}))
{}

FreedesktopIntegration::FreedesktopIntegration(QString configHome, QString dataHome,
                                               QStringList configDirs, QStringList dataDirs)
    : m_configHome(std::move(configHome)), m_dataHome(std::move(dataHome)),
      m_configDirs(std::move(configDirs)), m_dataDirs(std::move(dataDirs))
{}

bool FreedesktopIntegration::installEntry(const QString& desktopId, const QByteArray& content)
{
    const QString path = applicationsFolder() + u'/' + desktopId;
    if (readFile(path) == content) {
        return true;
    }
    QDir().mkpath(applicationsFolder());
    QString error;
    if (!korvane::replaceFile(path, content, &error, 0644)) {
        qCWarning(lcSystem).noquote() << "cannot write" << path << error;
        return false;
    }
    qCDebug(lcSystem).noquote() << "desktop entry written:" << path;
    return true;
}

std::optional<QString> FreedesktopIntegration::userDefault(const QString& mimeType) const
{
    return readKeyFile(mimeAppsPath()).value(kDefaults, mimeType);
}

bool FreedesktopIntegration::setUserDefault(const QString& mimeType,
                                            const std::optional<QString>& value)
{
    // A list kept elsewhere and linked here is changed where it lives.
    const QString path = mimeAppsPath();
    const std::optional<QByteArray> bytes = readFile(path);
    if (!bytes && QFileInfo::exists(path)) {
        qCWarning(lcSystem).noquote() << "cannot read" << path;
        return false;
    }
    DesktopKeyFile file = DesktopKeyFile::parse(bytes.value_or(QByteArray()));
    if (value) {
        if (file.value(kDefaults, mimeType) == *value) {
            return true;
        }
        file.setValue(kDefaults, mimeType, *value);
    } else if (!file.removeKey(kDefaults, mimeType)) {
        return true;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QString error;
    if (!korvane::replaceFile(path, file.serialize(), &error, fileMode(path))) {
        qCWarning(lcSystem).noquote() << "cannot write" << path << error;
        return false;
    }
    return true;
}

QString FreedesktopIntegration::findEntry(const QString& desktopId) const
{
    if (desktopId.isEmpty() || desktopId.contains(u'/')) {
        return {};
    }
    QStringList folders{m_dataHome};
    folders.append(m_dataDirs);
    for (const QString& folder : folders) {
        const QString base = folder + QStringLiteral("/applications/");
        if (QFileInfo(base + desktopId).isFile()) {
            return base + desktopId;
        }
        // "vendor-name.desktop" may live as vendor/name.desktop.
        QString nested = desktopId;
        for (qsizetype dash = nested.indexOf(u'-'); dash > 0; dash = nested.indexOf(u'-', dash)) {
            nested[dash] = u'/';
            if (QFileInfo(base + nested).isFile()) {
                return base + nested;
            }
        }
    }
    return {};
}

QString FreedesktopIntegration::defaultApplication(const QString& mimeType) const
{
    // The user's list first, then the system's, then the data folders' lists, then what the
    // installed entries say they open (mimeinfo.cache).
    QStringList lists{mimeAppsPath()};
    for (const QString& folder : m_configDirs) {
        lists.append(folder + QStringLiteral("/mimeapps.list"));
    }
    QStringList dataFolders{m_dataHome};
    dataFolders.append(m_dataDirs);
    for (const QString& folder : dataFolders) {
        lists.append(folder + QStringLiteral("/applications/mimeapps.list"));
    }
    for (const QString& folder : dataFolders) {
        lists.append(folder + QStringLiteral("/applications/defaults.list"));
    }
    for (const QString& path : lists) {
        const std::optional<QString> value = readKeyFile(path).value(kDefaults, mimeType);
        for (const QString& id : DesktopKeyFile::listItems(value.value_or(QString()))) {
            if (!findEntry(id).isEmpty()) {
                return id;
            }
        }
    }
    for (const QString& folder : dataFolders) {
        const std::optional<QString> value =
            readKeyFile(folder + QStringLiteral("/applications/mimeinfo.cache"))
                .value(QStringLiteral("MIME Cache"), mimeType);
        for (const QString& id : DesktopKeyFile::listItems(value.value_or(QString()))) {
            if (!findEntry(id).isEmpty()) {
                return id;
            }
        }
    }
    return {};
}

QString FreedesktopIntegration::applicationIcon(const QString& desktopId) const
{
    const QString path = findEntry(desktopId);
    if (path.isEmpty()) {
        return {};
    }
    return readKeyFile(path)
        .value(QStringLiteral("Desktop Entry"), QStringLiteral("Icon"))
        .value_or(QString());
}
