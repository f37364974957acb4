#pragma once

#include "settings/SettingsEnums.h"

#include <QMap>
#include <QString>
#include <QtGlobal>
#include <array>

// Every user setting, in the order of the lines of Config.cfg; window geometry is in twips.
struct Settings
{
    static constexpr int AssociationCount = 24;

    QString language;
    QString desktopFolder;
    PlayMode playMode = PlayMode::Normal;
    RepeatMode repeatMode = RepeatMode::NoRepeat;
    bool alwaysOnTop = false;
    TitleBarMode titleBarMode = TitleBarMode::FileName;
    bool keepHistory = false;
    bool launchFullscreen = false;
    bool rememberLastPos = false;
    bool rememberLastSize = false;
    OpenMode openMode = OpenMode::SamePlayer;
    bool disableScreenSaver = false;
    bool showInTray = false;
    QString snapshotPath;
    QString snapshotPrefix;
    bool snapshotPreview = false;
    SnapshotFormat snapshotFormat = SnapshotFormat::Jpg;
    // One flag per supported extension, in the order of SupportedExtensions.
    std::array<bool, AssociationCount> associations{};
    qint32 windowLeft = 0;
    qint32 windowTop = 0;
    qint32 windowWidth = 0;
    qint32 windowHeight = 0;
    PlaylistPosition playlistPosition = PlaylistPosition::Left;

    // Numbers read for a flag that say "on" in an unusual way, by line; only ConfigFile reads
    // them, to write such a flag back as it was read while it is still on.
    QMap<int, qint32> keptNumbers;

    bool operator==(const Settings&) const = default;
};
