#pragma once

#include <QByteArray>

// The windowing platform Korvane asks Qt for. The window keeps its place between runs and is
// put back there at the start, and a Wayland client can neither learn nor choose where its
// window stands; so a Wayland session runs Korvane on its X server (XWayland) unless the user
// named a platform.
struct PlatformChoice
{
    QByteArray qtPlatform;         // QT_QPA_PLATFORM as set, empty when unset
    QByteArray sessionType;        // XDG_SESSION_TYPE
    QByteArray waylandDisplay;     // WAYLAND_DISPLAY
    QByteArray x11Display;         // DISPLAY
    bool platformArgument = false; // "-platform" given on the command line

    static PlatformChoice fromEnvironment(bool platformArgument);
    // The platform to set, or an empty text to leave Qt's own choice alone (an X session, a
    // choice of the user's, or no X server to run on).
    QByteArray platform() const;
};
