#pragma once

#include "system/DriveProvider.h"

#include <QObject>
#include <memory>

class CommandBindings;
class CommandRegistry;
class DBusScreenSaver;
class DvdPlayback;
class MainWindow;
class MprisBridge;
class MprisService;
class PlaybackSession;
class Playlist;
class ScreenSaverGuard;
class SettingsStore;
class UserMessages;

// The player's place on the desktop: video discs and their drive menu, the screensaver held off
// during video, and media keys and widgets over MPRIS.
class DesktopWiring : public QObject
{
    Q_OBJECT
public:
    DesktopWiring(MainWindow& window, CommandRegistry& registry, CommandBindings& commands,
                  PlaybackSession& session, Playlist& playlist, SettingsStore& settings,
                  UserMessages& messages, std::unique_ptr<DriveProvider> drives = nullptr,
                  QObject* parent = nullptr);
    ~DesktopWiring() override;

    DvdPlayback& dvd() const { return *m_dvd; }
    MprisBridge& mpris() const { return *m_bridge; }

private:
    void bindDvdMenus();
    void showDvdMenus();

    MainWindow& m_window;
    CommandRegistry& m_registry;
    CommandBindings& m_commands;
    std::unique_ptr<DriveProvider> m_drives;
    std::unique_ptr<DvdPlayback> m_dvd;
    std::unique_ptr<DBusScreenSaver> m_screenSaver;
    std::unique_ptr<ScreenSaverGuard> m_guard;
    std::unique_ptr<MprisBridge> m_bridge;
    std::unique_ptr<MprisService> m_service;
};
