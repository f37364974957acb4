#pragma once

#include "settings/Settings.h"

#include <QString>

// The parts of the user's machine that some default settings depend on.
struct SettingsEnvironment
{
    QString desktopFolder;
    QString picturesFolder;
    double twipsPerPixelX = 15.0;
    double twipsPerPixelY = 15.0;
    double screenWidthTwips = 1024 * 15.0;
    double screenHeightTwips = 768 * 15.0;

    // Reads the user's folders and the primary screen. Without a screen (no GUI application,
    // or a platform that reports none) it assumes 96 DPI and 1024 x 768 pixels.
    static SettingsEnvironment fromSystem();
};

// Every value of a fresh Config.cfg: the window is 388 x 515 pixels, centred on the screen.
Settings defaultSettings(const SettingsEnvironment& env);
