#pragma once

#include <QString>
#include <QtGlobal>
#include <array>

// Every user setting, in the order of the lines of Config.cfg. Integer values are 16-bit and
// Long values 32-bit, as the file has always stored them; window geometry is in twips.
struct Settings
{
    static constexpr int AssociationCount = 24;

    QString Language;
    QString DesktopFolder;
    qint32 PlayMode = 0;
    qint32 RepeatMode = 0;
    qint16 AlwaysOnTop = 0;
    qint16 TitleBarMode = 0;
    qint16 KeepHistory = 0;
    qint16 LaunchFullscreen = 0;
    qint16 RememberLastPos = 0;
    qint16 RememberLastSize = 0;
    qint16 UseNewPlayer = 0;
    qint16 DisableScreenSaver = 0;
    qint16 ShowInTray = 0;
    QString SnapshotPath;
    QString SnapshotPrefix;
    qint16 SnapshotPreview = 0;
    qint16 SnapshotFormat = 0;
    // One flag per supported extension, in the order of SupportedExtensions: 0 or -1.
    std::array<qint16, AssociationCount> Associations{};
    qint32 WindowLeft = 0;
    qint32 WindowTop = 0;
    qint32 WindowWidth = 0;
    qint32 WindowHeight = 0;
    qint32 PlaylistPosition = 0;

    bool operator==(const Settings&) const = default;
};
