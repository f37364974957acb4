#pragma once

#include "settings/Settings.h"
#include "settings/SettingsEnvironment.h"

#include <QObject>
#include <QPoint>
#include <QSize>
#include <optional>

// How the caption names the playing entry.
enum class TitleBarMode
{
    FileName = 0,
    FullPath = 1,
    ProductOnly = 2,
};

// Where the window stood when the settings are written.
struct WindowPlacement
{
    QPoint topLeft; // pixels
    bool maximized = false;
    bool loading = false;
};

// The one owner of the settings record: it reads and writes Config.cfg, takes a changed record and
// tells its listeners. Windows, the playback session and dialogs read from it and never touch the
// file themselves.
class SettingsStore : public QObject
{
    Q_OBJECT
public:
    explicit SettingsStore(const SettingsEnvironment& environment, QObject* parent = nullptr);

    const Settings& settings() const { return m_settings; }
    const SettingsEnvironment& environment() const { return m_environment; }
    QString configPath() const { return m_configPath; }
    void setConfigPath(const QString& path) { m_configPath = path; }

    // Reads Config.cfg (or its defaults) and announces the record.
    void load();
    // Writes the record with the window's position as it stands now.
    bool save(const WindowPlacement& placement);
    // Takes a whole new record, as the settings dialog hands it over, and announces it.
    void apply(const Settings& settings);

    // Values the player changes on its own; they are kept for the next write, not announced.
    void setPlayMode(qint32 mode) { m_settings.PlayMode = mode; }
    void setRepeatMode(qint32 mode) { m_settings.RepeatMode = mode; }
    // The window's size in pixels, recorded in twips.
    void recordWindowSize(QSize pixels);

    // Twips of the record as pixels of this screen.
    QPoint toPixels(qint32 xTwips, qint32 yTwips) const;

    // Typed views for the rules.
    // None for a stored number that names no mode: the caption is then left as it is.
    std::optional<TitleBarMode> titleBarMode() const;
    bool alwaysOnTop() const { return m_settings.AlwaysOnTop != 0; }
    bool launchFullscreen() const { return m_settings.LaunchFullscreen != 0; }
    bool rememberLastPos() const { return m_settings.RememberLastPos != 0; }
    bool rememberLastSize() const { return m_settings.RememberLastSize != 0; }
    bool useNewPlayer() const { return m_settings.UseNewPlayer != 0; }
    bool showInTray() const { return m_settings.ShowInTray != 0; }

signals:
    // The record was read or replaced as a whole; what follows it is to be applied again.
    void changed();

private:
    SettingsEnvironment m_environment;
    Settings m_settings;
    QString m_configPath;
};
