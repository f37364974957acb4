#include "SettingsTestSupport.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace settingstest;

TEST(DefaultSettings, HoldTheFirstStartValues)
{
    const Settings s = defaultSettings(environment());
    EXPECT_EQ(s.language, QStringLiteral("English"));
    EXPECT_EQ(s.desktopFolder, QStringLiteral("/home/ann/Desktop"));
    EXPECT_EQ(s.playMode, PlayMode::Continuous);
    EXPECT_EQ(s.repeatMode, RepeatMode::RepeatAll);
    EXPECT_FALSE(s.alwaysOnTop);
    EXPECT_EQ(s.titleBarMode, TitleBarMode::FullPath);
    EXPECT_TRUE(s.keepHistory);
    EXPECT_FALSE(s.launchFullscreen);
    EXPECT_FALSE(s.rememberLastPos);
    EXPECT_FALSE(s.rememberLastSize);
    EXPECT_EQ(s.openMode, OpenMode::SamePlayer);
    EXPECT_TRUE(s.disableScreenSaver);
    EXPECT_FALSE(s.showInTray);
    EXPECT_EQ(s.snapshotPath, QStringLiteral("/home/ann/Pictures"));
    EXPECT_EQ(s.snapshotPrefix, QStringLiteral("IMG_"));
    EXPECT_TRUE(s.snapshotPreview);
    EXPECT_EQ(s.snapshotFormat, SnapshotFormat::Jpg);
    for (bool flag : s.associations) {
        EXPECT_FALSE(flag);
    }
    EXPECT_EQ(s.playlistPosition, PlaylistPosition::Left);
}

TEST(DefaultSettings, WindowIsCentredAndRoundedHalfToEven)
{
    struct Case
    {
        double dpi;
        int screenWidth, screenHeight;
        qint32 left, top, width, height;
    };
    const Case cases[] = {
        // (15360 - 5820) / 2 = 4770, (11520 - 7725) / 2 = 1897.5 -> 1898
        {96, 1024, 768, 4770, 1898, 5820, 7725},
        // (11550 - 7725) / 2 = 1912.5 -> 1912
        {96, 1024, 770, 4770, 1912, 5820, 7725},
        {120, 1920, 1080, 9192, 3390, 4656, 6180},
        // 1440 / 110 twips per pixel: 5079.27 and 6741.82 wide and high
        {110, 1280, 1024, 5839, 3332, 5079, 6742},
        // A screen smaller than the window gives a negative position; -2062.5 -> -2062.
        {96, 320, 240, -510, -2062, 5820, 7725},
    };
    for (const Case& c : cases) {
        SettingsEnvironment env = environment();
        env.twipsPerPixelX = env.twipsPerPixelY = 1440.0 / c.dpi;
        env.screenWidthTwips = c.screenWidth * env.twipsPerPixelX;
        env.screenHeightTwips = c.screenHeight * env.twipsPerPixelY;
        const Settings s = defaultSettings(env);
        EXPECT_EQ(s.windowWidth, c.width) << c.dpi;
        EXPECT_EQ(s.windowHeight, c.height) << c.dpi;
        EXPECT_EQ(s.windowLeft, c.left) << c.dpi << " " << c.screenWidth;
        EXPECT_EQ(s.windowTop, c.top) << c.dpi << " " << c.screenHeight;
    }
}

TEST(SettingsEnvironment, FromSystemReadsTheUsersFoldersAndAUsableScreen)
{
    const SettingsEnvironment env = SettingsEnvironment::fromSystem();
    EXPECT_EQ(env.desktopFolder, QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    EXPECT_EQ(env.picturesFolder,
              QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    EXPECT_GT(env.twipsPerPixelX, 0.0);
    EXPECT_GT(env.twipsPerPixelY, 0.0);
    EXPECT_GT(env.screenWidthTwips, 388 * env.twipsPerPixelX / 2);
    EXPECT_GT(env.screenHeightTwips, 0.0);
}
