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
    s.Language = QStringLiteral("English");
    s.DesktopFolder = env.desktopFolder;
    s.PlayMode = 1;
    s.RepeatMode = 2;
    s.AlwaysOnTop = 0;
    s.TitleBarMode = 1;
    s.KeepHistory = 0;
    s.LaunchFullscreen = 0;
    s.RememberLastPos = 0;
    s.RememberLastSize = 0;
    s.UseNewPlayer = 0;
    s.DisableScreenSaver = 1;
    s.ShowInTray = 0;
    s.SnapshotPath = env.picturesFolder;
    s.SnapshotPrefix = QStringLiteral("IMG_");
    s.SnapshotPreview = 1;
    s.SnapshotFormat = 0;
    s.Associations.fill(0);

    const double width = DefaultWindowWidth * env.twipsPerPixelX;
    const double height = DefaultWindowHeight * env.twipsPerPixelY;
    s.WindowWidth = korvane::twipsToLong(width);
    s.WindowHeight = korvane::twipsToLong(height);
    s.WindowLeft = korvane::twipsToLong((env.screenWidthTwips - width) / 2.0);
    s.WindowTop = korvane::twipsToLong((env.screenHeightTwips - height) / 2.0);
    s.PlaylistPosition = 0;
    return s;
}
