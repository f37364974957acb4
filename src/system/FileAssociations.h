#pragma once

#include <QImage>
#include <QLatin1StringView>
#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

class DesktopIntegration;
class UserStore;

// Korvane as the handler of its 24 media extensions. The store keeps the shell's keys (the
// per-user store stands in for the classes root, under Software\Classes, and for the per-user
// FileExts choice); the desktop mirrors them: every MIME type of an associated extension opens
// with korvane.desktop in mimeapps.list, and goes back to its earlier default when released.
class FileAssociations
{
public:
    static constexpr QLatin1StringView kClassesRoot{"Software\\Classes\\"};
    static constexpr QLatin1StringView kFileExtsKey{
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\"};
    // The desktop's defaults as they were before Korvane took a type, one value per type.
    static constexpr QLatin1StringView kSavedDefaultsKey{
        "Software\\Taskel Media Player\\Desktop Defaults"};
    static constexpr QLatin1StringView kPlayerDesktopId{"korvane.desktop"};
    static constexpr QLatin1StringView kEnqueueDesktopId{"korvane-enqueue.desktop"};
    static constexpr int kExtensionCount = 24;

    // programFolder ends with "/"; executable is the program's absolute path.
    FileAssociations(UserStore& store, DesktopIntegration& desktop, QString programFolder,
                     QString executable);

    static QString className(const QString& ext) { return QStringLiteral("Korvane.") + ext; }
    static QString description(const QString& ext);
    QString iconFile(const QString& ext) const;
    QString unknownIconFile() const;
    // The shared-mime-info types a file with this extension has; may be empty.
    static QStringList mimeTypesOf(const QString& ext);
    // Every type of the 24 extensions, each once, in extension order.
    static QStringList allMimeTypes();
    // What the desktop entries offer to open ("Open With"): the types above, then the audio and
    // video types of every further extension Korvane takes in. Only the 24 are ever made
    // defaults.
    static QStringList declaredMimeTypes();

    // Each of these is true when every write it made (store and desktop) succeeded.
    bool registerProgId(const QString& className, const QString& description, const QString& verb,
                        const QString& icon, const QString& commandSuffix);
    // `extension` with its dot.
    bool isAssociated(const QString& extension, const QString& className) const;
    bool associateExtension(const QString& extension, const QString& className);
    bool unassociateExtension(const QString& extension, const QString& className);
    bool applyAssociation(int index, bool on);
    // Also gives back the types whose release could not reach the desktop in an earlier run.
    bool applyAllAssociations(const std::array<bool, kExtensionCount>& flags);

    // The class that opens the extension: the store's, else the desktop's default application
    // (a desktop id), else "-1".
    QString registeredProgId(const QString& ext) const;
    // A 32 × 32 picture for a class or desktop id; the "unknown" picture when there is none or
    // its file cannot be read, and a blank one when even that is missing.
    QImage progIdIcon(const QString& className) const;

    // %NAME%, ${NAME} and $NAME references from the environment; unknown names stay as written.
    static QString expandEnvironment(const QString& text);

private:
    bool writeIfDifferent(const QString& key, const QString& name, const QString& value);
    bool installDesktopEntries();
    // Points the extension's types at Korvane or gives them back, as the associated
    // extensions that share them ask.
    bool mirrorToDesktop(const QString& ext);
    bool mirrorType(const QString& mimeType);
    bool typeWanted(const QString& mimeType) const;
    QImage loadPicture(const QString& path) const;
    QImage unknownPicture() const;

    UserStore& m_store;
    DesktopIntegration& m_desktop;
    QString m_programFolder;
    QString m_executable;
};
