#include "playback/EngineOptions.h"

#include "settings/Settings.h"
#include "util/SupportedFiles.h"

namespace {
QString onOff(const QString& name, bool on)
{
    return on ? name : QStringLiteral("no-") + name;
}
} // namespace

void EngineOptions::saveVLCOptions(const Settings& settings)
{
    m_options = {
        QStringLiteral("overlay"),
        QStringLiteral("snapshot-prefix=") + settings.SnapshotPrefix,
        QStringLiteral("snapshot-path=") + settings.SnapshotPath,
        QStringLiteral("snapshot-format=") +
            (settings.SnapshotFormat == 0 ? QStringLiteral("JPG") : QStringLiteral("PNG")),
        onOff(QStringLiteral("snapshot-preview"), settings.SnapshotPreview != 0),
        QStringLiteral("snapshot-sequential"),
        onOff(QStringLiteral("disable-screensaver"), settings.DisableScreenSaver != 0),
        QStringLiteral("snapshot-Width=640"),
        QStringLiteral("snapshot-Height=480"),
    };
}

void EngineOptions::setItem(const QString& snapshotPath, const QString& currentFile)
{
    m_options[SnapshotPathIndex] =
        QStringLiteral("snapshot-path=") + snapshotFolder(snapshotPath, currentFile);
}

QString EngineOptions::snapshotFolder(const QString& snapshotPath, const QString& currentFile)
{
    return snapshotPath + u'/' + fileNameOfPath(currentFile) + QStringLiteral(" Images");
}
