#include "system/FileAssociations.h"

#include "system/DesktopEntryText.h"
#include "system/DesktopIntegration.h"
#include "system/UserStore.h"
#include "util/Logging.h"
#include "util/SupportedFiles.h"

#include <QDir>
#include <QIcon>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <map>

namespace {

constexpr int kIconSize = 32;
const QString kDefaultValue;

QString classKey(const QString& name)
{
    return FileAssociations::kClassesRoot + name;
}

const std::map<QString, QStringList>& typesByExtension()
{
    static const std::map<QString, QStringList> types = [] {
        std::map<QString, QStringList> table;
        const QMimeDatabase database;
        for (const QString& ext : SupportedExtensions()) {
            QStringList names;
            for (const QMimeType& type :
                 database.mimeTypesForFileName(QStringLiteral("file.") + ext)) {
                if (!type.isDefault()) {
                    names.append(type.name());
                }
            }
            table[ext] = names;
        }
        return table;
    }();
    return types;
}

// The first desktop id of a mimeapps.list value.
QString firstDesktopId(const QString& value)
{
    for (const QString& item : value.split(u';')) {
        if (!item.trimmed().isEmpty()) {
            return item.trimmed();
        }
    }
    return {};
}

} // namespace

FileAssociations::FileAssociations(UserStore& store, DesktopIntegration& desktop,
                                   QString programFolder, QString executable)
    : m_store(store), m_desktop(desktop), m_programFolder(std::move(programFolder)),
      m_executable(std::move(executable))
{}

QString FileAssociations::description(const QString& ext)
{
    return QStringLiteral("Korvane ") + ext + QStringLiteral(" File");
}

QString FileAssociations::iconFile(const QString& ext) const
{
    return m_programFolder + QStringLiteral("icons/") + ext + QStringLiteral(".ico");
}

QString FileAssociations::unknownIconFile() const
{
    return m_programFolder + QStringLiteral("icons/Unkowen.bmp");
}

QStringList FileAssociations::mimeTypesOf(const QString& ext)
{
    const auto& table = typesByExtension();
    const auto found = table.find(ext.toLower());
    if (found != table.end()) {
        return found->second;
    }
    QStringList names;
    for (const QMimeType& type :
         QMimeDatabase().mimeTypesForFileName(QStringLiteral("file.") + ext)) {
        if (!type.isDefault()) {
            names.append(type.name());
        }
    }
    return names;
}

QStringList FileAssociations::allMimeTypes()
{
    QStringList all;
    for (const QString& ext : SupportedExtensions()) {
        for (const QString& type : mimeTypesOf(ext)) {
            if (!all.contains(type)) {
                all.append(type);
            }
        }
    }
    return all;
}

QStringList FileAssociations::declaredMimeTypes()
{
    QStringList all = allMimeTypes();
    const QMimeDatabase database;
    for (const QString& ext : MediaExtensions().mid(SupportedExtensions().size())) {
        for (const QMimeType& type : database.mimeTypesForFileName(QStringLiteral("file.") + ext)) {
            const QString name = type.name();
            // ".ts" is also a translation source; only media types are offered.
            const bool media = name.startsWith(QLatin1String("audio/")) ||
                               name.startsWith(QLatin1String("video/"));
            if (!type.isDefault() && media && !all.contains(name)) {
                all.append(name);
            }
        }
    }
    return all;
}

bool FileAssociations::writeIfDifferent(const QString& key, const QString& name,
                                        const QString& value)
{
    // A value already in place is not written again: a start-up with nothing to change leaves
    // the store untouched.
    if (m_store.hasValue(key, name) && m_store.readString(key, name) == value) {
        return true;
    }
    return m_store.writeString(key, name, value);
}

bool FileAssociations::registerProgId(const QString& className, const QString& description,
                                      const QString& verb, const QString& icon,
                                      const QString& commandSuffix)
{
    const QString program = m_executable.contains(u' ') ? u'"' + m_executable + u'"' : m_executable;
    const QString key = classKey(className);
    return writeIfDifferent(key, kDefaultValue, description) &&
           writeIfDifferent(key + QStringLiteral("\\shell"), kDefaultValue, QString()) &&
           writeIfDifferent(key + QStringLiteral("\\shell\\") + verb, kDefaultValue, QString()) &&
           writeIfDifferent(key + QStringLiteral("\\shell\\") + verb + QStringLiteral("\\command"),
                            kDefaultValue, program + QStringLiteral(" %1") + commandSuffix) &&
           writeIfDifferent(key + QStringLiteral("\\DefaultIcon"), kDefaultValue,
                            icon.isEmpty() ? program : icon);
}

bool FileAssociations::isAssociated(const QString& extension, const QString& className) const
{
    return m_store.readString(classKey(extension), kDefaultValue) == className;
}

bool FileAssociations::associateExtension(const QString& extension, const QString& className)
{
    if (isAssociated(extension, className)) {
        return true;
    }
    const QString key = classKey(extension);
    const QString user = kFileExtsKey + extension;
    // All four values in one write: the store never holds the new class without the old one.
    if (!m_store.writeStrings({
            {key, QStringLiteral("OldAss"), m_store.readString(key, kDefaultValue)},
            {key, kDefaultValue, className},
            {user, QStringLiteral("OldProgID"), m_store.readString(user, QStringLiteral("ProgID"))},
            {user, QStringLiteral("ProgID"), className},
        })) {
        qCWarning(lcSystem).noquote() << "cannot associate" << extension.mid(1);
        return false;
    }
    const bool mirrored = mirrorToDesktop(extension.mid(1));
    if (mirrored) {
        qCDebug(lcSystem).noquote() << "associated" << extension.mid(1);
    } else {
        qCWarning(lcSystem).noquote() << "associated" << extension.mid(1) << "in the store only";
    }
    return mirrored;
}

bool FileAssociations::unassociateExtension(const QString& extension, const QString& className)
{
    if (!isAssociated(extension, className)) {
        return true;
    }
    const QString key = classKey(extension);
    const QString user = kFileExtsKey + extension;
    if (!m_store.writeStrings({
            {key, kDefaultValue, m_store.readString(key, QStringLiteral("OldAss"))},
            {user, QStringLiteral("ProgID"), m_store.readString(user, QStringLiteral("OldProgID"))},
        })) {
        qCWarning(lcSystem).noquote() << "cannot release" << extension.mid(1);
        return false;
    }
    m_store.deleteValue(key, QStringLiteral("OldAss"));
    m_store.deleteValue(user, QStringLiteral("OldProgID"));

    const bool mirrored = mirrorToDesktop(extension.mid(1));
    if (mirrored) {
        qCDebug(lcSystem).noquote() << "released" << extension.mid(1);
    } else {
        qCWarning(lcSystem).noquote() << "released" << extension.mid(1) << "in the store only";
    }
    return mirrored;
}

bool FileAssociations::applyAssociation(int index, bool on)
{
    const QStringList& extensions = SupportedExtensions();
    if (index < 0 || index >= extensions.size()) {
        return true;
    }
    const QString& ext = extensions[index];
    const QString extension = u'.' + ext;
    if (!on) {
        return unassociateExtension(extension, className(ext));
    }
    return registerProgId(className(ext), description(ext), QStringLiteral("open"), iconFile(ext),
                          QString()) &&
           registerProgId(className(ext), description(ext), QStringLiteral("Add To Playlist"),
                          iconFile(ext), QStringLiteral(" *Add")) &&
           installDesktopEntries() && associateExtension(extension, className(ext));
}

bool FileAssociations::applyAllAssociations(const std::array<bool, kExtensionCount>& flags)
{
    bool all = true;
    for (int i = 0; i < kExtensionCount; ++i) {
        all = applyAssociation(i, flags[static_cast<std::size_t>(i)]) && all;
    }
    // A type given back in an earlier run whose desktop side could not be written still has its
    // saved default: it is given back now.
    for (const QString& type : allMimeTypes()) {
        if (m_store.hasValue(kSavedDefaultsKey, type) && !typeWanted(type)) {
            all = mirrorType(type) && all;
        }
    }
    return all;
}

bool FileAssociations::installDesktopEntries()
{
    const QString icon = m_programFolder + QStringLiteral("icons/Korvane.png");
    const QStringList types = declaredMimeTypes();
    return m_desktop.installEntry(kPlayerDesktopId,
                                  DesktopEntryText::playerEntry(m_executable, icon, types)) &&
           m_desktop.installEntry(kEnqueueDesktopId,
                                  DesktopEntryText::enqueueEntry(m_executable, icon, types));
}

bool FileAssociations::typeWanted(const QString& mimeType) const
{
    for (const QString& ext : SupportedExtensions()) {
        if (mimeTypesOf(ext).contains(mimeType) && isAssociated(u'.' + ext, className(ext))) {
            return true;
        }
    }
    return false;
}

bool FileAssociations::mirrorToDesktop(const QString& ext)
{
    bool all = true;
    for (const QString& type : mimeTypesOf(ext)) {
        all = mirrorType(type) && all;
    }
    return all;
}

bool FileAssociations::mirrorType(const QString& type)
{
    const std::optional<QString> current = m_desktop.userDefault(type);
    const bool ours = current && firstDesktopId(*current) == kPlayerDesktopId;
    if (typeWanted(type)) {
        if (ours) {
            return true;
        }
        // The earlier default is safe in the store before the desktop forgets it.
        return m_store.writeString(kSavedDefaultsKey, type, current.value_or(QString())) &&
               m_desktop.setUserDefault(type, QString(kPlayerDesktopId) + u';');
    }
    if (!m_store.hasValue(kSavedDefaultsKey, type)) {
        // Nothing saved: an entry of ours is simply withdrawn.
        return !ours || m_desktop.setUserDefault(type, std::nullopt);
    }
    const QString saved = m_store.readString(kSavedDefaultsKey, type);
    // Another program's later choice is the user's; only our own entry is given back. The saved
    // default is dropped only once the desktop holds it again.
    if (ours && !m_desktop.setUserDefault(type, saved.isEmpty() ? std::nullopt
                                                                : std::optional<QString>(saved))) {
        qCWarning(lcSystem).noquote()
            << "the earlier default of" << type << "is kept to be given back at the next start";
        return false;
    }
    return m_store.deleteValue(kSavedDefaultsKey, type);
}

QString FileAssociations::registeredProgId(const QString& ext) const
{
    const QString stored = m_store.readString(classKey(u'.' + ext), kDefaultValue);
    if (!stored.isEmpty()) {
        return stored;
    }
    for (const QString& type : mimeTypesOf(ext)) {
        const QString application = m_desktop.defaultApplication(type);
        if (!application.isEmpty()) {
            return application;
        }
    }
    return QStringLiteral("-1");
}

QString FileAssociations::expandEnvironment(const QString& text)
{
    static const QRegularExpression reference(QStringLiteral(
        R"(%([A-Za-z_][A-Za-z0-9_]*)%|\$\{([A-Za-z_][A-Za-z0-9_]*)\}|\$([A-Za-z_][A-Za-z0-9_]*))"));
    QString result;
    qsizetype from = 0;
    auto it = reference.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += text.mid(from, match.capturedStart() - from);
        QString name = match.captured(1);
        if (name.isEmpty()) {
            name = match.captured(2);
        }
        if (name.isEmpty()) {
            name = match.captured(3);
        }
        const QByteArray variable = name.toLocal8Bit();
        result += qEnvironmentVariableIsSet(variable.constData())
                      ? qEnvironmentVariable(variable.constData())
                      : match.captured(0);
        from = match.capturedEnd();
    }
    return result + text.mid(from);
}

QImage FileAssociations::progIdIcon(const QString& className) const
{
    if (className.endsWith(QStringLiteral(".desktop"))) {
        const QString icon = m_desktop.applicationIcon(className);
        if (icon.isEmpty()) {
            return unknownPicture();
        }
        if (QDir::isAbsolutePath(icon)) {
            return loadPicture(icon);
        }
        const QImage themed = QIcon::fromTheme(icon).pixmap(kIconSize, kIconSize).toImage();
        return themed.isNull() ? unknownPicture()
                               : themed.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio,
                                               Qt::SmoothTransformation);
    }
    QString path = m_store.readString(classKey(className) + QStringLiteral("\\DefaultIcon"),
                                      kDefaultValue, QStringLiteral("-1"));
    if (path == QLatin1String("-1")) {
        return unknownPicture();
    }
    path = expandEnvironment(path);
    path.remove(u'"');
    const qsizetype comma = path.indexOf(u',');
    if (comma >= 0) {
        path.truncate(comma);
    }
    return loadPicture(path);
}

QImage FileAssociations::loadPicture(const QString& path) const
{
    // An icon file holding several pictures gives its first.
    QImage image(path);
    if (image.isNull()) {
        qCDebug(lcSystem).noquote() << "no picture in" << path;
        return unknownPicture();
    }
    return image.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

QImage FileAssociations::unknownPicture() const
{
    QImage image(unknownIconFile());
    if (image.isNull()) {
        qCWarning(lcSystem).noquote() << "missing" << unknownIconFile();
        image = QImage(kIconSize, kIconSize, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        return image;
    }
    return image.scaled(kIconSize, kIconSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}
