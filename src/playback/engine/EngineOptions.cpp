#include "playback/engine/EngineOptions.h"

#include "settings/Settings.h"
#include "util/SupportedFiles.h"

namespace {
QString onOff(const QString& name, bool on)
{
    return on ? name : QStringLiteral("no-") + name;
}
} // namespace

void EngineOptions::rebuild(const Settings& settings)
{
    m_options = {
        QStringLiteral("overlay"),
        QStringLiteral("snapshot-prefix=") + settings.snapshotPrefix,
        QStringLiteral("snapshot-path=") + settings.snapshotPath,
        QStringLiteral("snapshot-format=") + (settings.snapshotFormat == SnapshotFormat::Jpg
                                                  ? QStringLiteral("JPG")
                                                  : QStringLiteral("PNG")),
        onOff(QStringLiteral("snapshot-preview"), settings.snapshotPreview),
        QStringLiteral("snapshot-sequential"),
        onOff(QStringLiteral("disable-screensaver"), settings.disableScreenSaver),
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
