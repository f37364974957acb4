#pragma once

#include "settings/Settings.h"
#include "settings/SettingsEnvironment.h"
#include "settings/SettingsGroup.h"

#include <QObject>
#include <QPoint>
#include <QSize>
#include <optional>

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

    // Reads Config.cfg (or its defaults) and announces the whole record.
    void load();
    // Writes the record with the window's position as it stands now; `why` says what failed.
    bool save(const WindowPlacement& placement, QString* why = nullptr);
    // Takes a whole new record, as the settings dialog hands it over, and announces once what
    // differs from the record before; nothing when nothing does.
    void apply(const Settings& settings);

    // Values the player changes on its own; they are kept for the next write, not announced.
    void setPlayMode(PlayMode mode) { m_settings.playMode = mode; }
    void setRepeatMode(RepeatMode mode) { m_settings.repeatMode = mode; }
    // The window's size in pixels, recorded in twips.
    void recordWindowSize(QSize pixels);
    // The window's place, unless it is maximised or still loading.
    void recordPlacement(const WindowPlacement& placement);

    // Twips of the record as pixels of this screen.
    QPoint toPixels(qint32 xTwips, qint32 yTwips) const;

    // Typed views for the rules.
    // None for a stored number that names no mode: the caption is then left as it is.
    std::optional<TitleBarMode> titleBarMode() const;
    bool alwaysOnTop() const { return m_settings.alwaysOnTop; }
    bool launchFullscreen() const { return m_settings.launchFullscreen; }
    bool rememberLastPos() const { return m_settings.rememberLastPos; }
    bool rememberLastSize() const { return m_settings.rememberLastSize; }
    bool useNewPlayer() const { return m_settings.openMode != OpenMode::SamePlayer; }
    bool showInTray() const { return m_settings.showInTray; }

    // The groups in which two records differ.
    static SettingsGroups difference(const Settings& before, const Settings& after);

signals:
    // The record was read (every group) or replaced; what follows the named groups is to be
    // applied again.
    void changed(SettingsGroups groups);

private:
    SettingsEnvironment m_environment;
    Settings m_settings;
    QString m_configPath;
};
