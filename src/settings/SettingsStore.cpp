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
    emit changed();
}

bool SettingsStore::save(const WindowPlacement& placement)
{
    ConfigFile::recordPosition(m_settings, placement.maximized, placement.loading,
                               placement.topLeft.x() * m_environment.twipsPerPixelX,
                               placement.topLeft.y() * m_environment.twipsPerPixelY);
    if (!ConfigFile::write(m_configPath, m_settings)) {
        qCWarning(lcApp) << "could not save settings to" << m_configPath;
        return false;
    }
    return true;
}

void SettingsStore::apply(const Settings& settings)
{
    m_settings = settings;
    emit changed();
}

void SettingsStore::recordWindowSize(QSize pixels)
{
    m_settings.WindowWidth = korvane::twipsToLong(pixels.width() * m_environment.twipsPerPixelX);
    m_settings.WindowHeight = korvane::twipsToLong(pixels.height() * m_environment.twipsPerPixelY);
}

QPoint SettingsStore::toPixels(qint32 xTwips, qint32 yTwips) const
{
    return {korvane::roundSaturating(xTwips / m_environment.twipsPerPixelX),
            korvane::roundSaturating(yTwips / m_environment.twipsPerPixelY)};
}

std::optional<TitleBarMode> SettingsStore::titleBarMode() const
{
    if (m_settings.TitleBarMode < 0 || m_settings.TitleBarMode > 2) {
        return std::nullopt;
    }
    return static_cast<TitleBarMode>(m_settings.TitleBarMode);
}
