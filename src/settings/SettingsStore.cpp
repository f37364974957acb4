#include "settings/SettingsStore.h"

#include "settings/ConfigFile.h"
#include "settings/Twips.h"
#include "util/Logging.h"
#include "util/Rounding.h"

SettingsStore::SettingsStore(const SettingsEnvironment& environment, QObject* parent)
    : QObject(parent), m_environment(environment), m_settings(defaultSettings(environment)),
      m_configPath(ConfigFile::defaultPath())
{}

void SettingsStore::load()
{
    const ConfigFile::LoadResult result = ConfigFile::load(m_configPath, m_environment);
    m_settings = result.settings;
    if (result.usedDefaults) {
        qCDebug(lcApp) << "settings reset to defaults" << (result.written ? "" : "(not saved)");
    }
    emit changed(AllSettingsGroups);
}

void SettingsStore::recordPlacement(const WindowPlacement& placement)
{
    ConfigFile::recordPosition(m_settings, placement.maximized, placement.loading,
                               placement.topLeft.x() * m_environment.twipsPerPixelX,
                               placement.topLeft.y() * m_environment.twipsPerPixelY);
}

bool SettingsStore::save(const WindowPlacement& placement, QString* why)
{
    recordPlacement(placement);
    if (!ConfigFile::write(m_configPath, m_settings, why)) {
        qCWarning(lcApp) << "could not save settings to" << m_configPath;
        return false;
    }
    return true;
}

void SettingsStore::apply(const Settings& settings)
{
    const SettingsGroups groups = difference(m_settings, settings);
    m_settings = settings;
    ConfigFile::forgetChangedFlags(m_settings);
    if (groups) {
        emit changed(groups);
    }
}

SettingsGroups SettingsStore::difference(const Settings& a, const Settings& b)
{
    SettingsGroups groups;
    const auto mark = [&groups](SettingsGroup group, bool differs) {
        if (differs) {
            groups |= group;
        }
    };
    mark(SettingsGroup::Window,
         a.alwaysOnTop != b.alwaysOnTop || a.showInTray != b.showInTray ||
             a.rememberLastPos != b.rememberLastPos || a.rememberLastSize != b.rememberLastSize ||
             a.windowLeft != b.windowLeft || a.windowTop != b.windowTop ||
             a.windowWidth != b.windowWidth || a.windowHeight != b.windowHeight);
    mark(SettingsGroup::Caption, a.titleBarMode != b.titleBarMode);
    mark(SettingsGroup::Playlist, a.playlistPosition != b.playlistPosition);
    mark(SettingsGroup::Playback, a.playMode != b.playMode || a.repeatMode != b.repeatMode ||
                                      a.launchFullscreen != b.launchFullscreen);
    mark(SettingsGroup::Engine,
         a.disableScreenSaver != b.disableScreenSaver || a.snapshotPath != b.snapshotPath ||
             a.snapshotPrefix != b.snapshotPrefix || a.snapshotPreview != b.snapshotPreview ||
             a.snapshotFormat != b.snapshotFormat);
    mark(SettingsGroup::Associations, a.associations != b.associations);
    mark(SettingsGroup::General, a.language != b.language || a.desktopFolder != b.desktopFolder ||
                                     a.keepHistory != b.keepHistory || a.openMode != b.openMode);
    return groups;
}

void SettingsStore::recordWindowSize(QSize pixels)
{
    m_settings.windowWidth = Twips::toLong(pixels.width() * m_environment.twipsPerPixelX);
    m_settings.windowHeight = Twips::toLong(pixels.height() * m_environment.twipsPerPixelY);
}

QPoint SettingsStore::toPixels(qint32 xTwips, qint32 yTwips) const
{
    return {korvane::roundSaturating(xTwips / m_environment.twipsPerPixelX),
            korvane::roundSaturating(yTwips / m_environment.twipsPerPixelY)};
}

std::optional<TitleBarMode> SettingsStore::titleBarMode() const
{
    switch (m_settings.titleBarMode) {
    case TitleBarMode::FileName:
    case TitleBarMode::FullPath:
    case TitleBarMode::ProductOnly:
        return m_settings.titleBarMode;
    }
    return std::nullopt;
}
