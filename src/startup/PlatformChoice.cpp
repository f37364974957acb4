#include "startup/PlatformChoice.h"

#include <QtGlobal>

PlatformChoice PlatformChoice::fromEnvironment(bool platformArgument)
{
    PlatformChoice choice;
    choice.qtPlatform = qgetenv("QT_QPA_PLATFORM");
    choice.sessionType = qgetenv("XDG_SESSION_TYPE");
    choice.waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    choice.x11Display = qgetenv("DISPLAY");
    choice.platformArgument = platformArgument;
    return choice;
}

QByteArray PlatformChoice::platform() const
{
    if (!qtPlatform.trimmed().isEmpty() || platformArgument) {
        return {};
    }
    const bool wayland =
        sessionType.trimmed().toLower() == "wayland" || !waylandDisplay.trimmed().isEmpty();
    // Without an X server xcb cannot start at all; Qt's own choice at least shows the window.
    if (!wayland || x11Display.trimmed().isEmpty()) {
        return {};
    }
    return QByteArrayLiteral("xcb");
}
