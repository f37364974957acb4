#include "settings/SettingsEnvironment.h"

#include "settings/Twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStandardPaths>

namespace {

constexpr double TwipsPerInch = 1440.0;
constexpr double FallbackDpi = 96.0;
constexpr int FallbackScreenWidth = 1024;
constexpr int FallbackScreenHeight = 768;
constexpr int DefaultWindowWidth = 388;
constexpr int DefaultWindowHeight = 515;

} // namespace

SettingsEnvironment SettingsEnvironment::fromSystem()
{
    SettingsEnvironment env;
    env.desktopFolder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    env.picturesFolder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);

    double dpiX = FallbackDpi;
    double dpiY = FallbackDpi;
    int widthPx = FallbackScreenWidth;
    int heightPx = FallbackScreenHeight;
    const QScreen* screen = qobject_cast<QGuiApplication*>(QCoreApplication::instance())
                                ? QGuiApplication::primaryScreen()
                                : nullptr;
    if (screen) {
        if (screen->logicalDotsPerInchX() > 0 && screen->logicalDotsPerInchY() > 0) {
            dpiX = screen->logicalDotsPerInchX();
            dpiY = screen->logicalDotsPerInchY();
        }
        const QSize size = screen->geometry().size();
        if (size.width() > 0 && size.height() > 0) {
            widthPx = size.width();
            heightPx = size.height();
        }
    }
    env.twipsPerPixelX = TwipsPerInch / dpiX;
    env.twipsPerPixelY = TwipsPerInch / dpiY;
    env.screenWidthTwips = widthPx * env.twipsPerPixelX;
    env.screenHeightTwips = heightPx * env.twipsPerPixelY;
    return env;
}

Settings defaultSettings(const SettingsEnvironment& env)
{
    Settings s;
    s.language = QStringLiteral("English");
    s.desktopFolder = env.desktopFolder;
    s.playMode = PlayMode::Continuous;
    s.repeatMode = RepeatMode::RepeatAll;
    s.alwaysOnTop = false;
    s.titleBarMode = TitleBarMode::FullPath;
    // The history is kept unless the user turns it off.
    s.keepHistory = true;
    s.launchFullscreen = false;
    s.rememberLastPos = false;
    s.rememberLastSize = false;
    s.openMode = OpenMode::SamePlayer;
    s.disableScreenSaver = true;
    s.showInTray = false;
    s.snapshotPath = env.picturesFolder;
    s.snapshotPrefix = QStringLiteral("IMG_");
    s.snapshotPreview = true;
    s.snapshotFormat = SnapshotFormat::Jpg;
    s.associations.fill(false);

    const double width = DefaultWindowWidth * env.twipsPerPixelX;
    const double height = DefaultWindowHeight * env.twipsPerPixelY;
    s.windowWidth = Twips::toLong(width);
    s.windowHeight = Twips::toLong(height);
    s.windowLeft = Twips::toLong((env.screenWidthTwips - width) / 2.0);
    s.windowTop = Twips::toLong((env.screenHeightTwips - height) / 2.0);
    s.playlistPosition = PlaylistPosition::Left;
    return s;
}
