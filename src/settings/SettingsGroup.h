#pragma once

#include <QFlags>

// The parts of the settings a change can touch, so that a listener skips what stayed the same.
enum class SettingsGroup
{
    // Always on top, tray icon, remembered position and size, the stored geometry.
    Window = 0x01,
    // How the caption names the playing entry.
    Caption = 0x02,
    // Where the playlist stands.
    Playlist = 0x04,
    // Play order, repeat and full screen on launch.
    Playback = 0x08,
    // What the engine is started with: screensaver, snapshot folder, prefix, preview and format.
    Engine = 0x10,
    // The extensions Korvane opens.
    Associations = 0x20,
    // Language, desktop folder, history and how files from outside are opened.
    General = 0x40,
};
Q_DECLARE_FLAGS(SettingsGroups, SettingsGroup)
Q_DECLARE_OPERATORS_FOR_FLAGS(SettingsGroups)

constexpr SettingsGroups AllSettingsGroups = SettingsGroups::fromInt(0x7f);
