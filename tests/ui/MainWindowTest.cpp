#include "ui/MainWindow.h"

#include "app/ConfigFile.h"
#include "ui/TransportBar.h"
#include "ui/VideoArea.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SettingsEnvironment testEnvironment()
{
    SettingsEnvironment env;
    env.desktopFolder = "/home/me/Desktop";
    env.picturesFolder = "/home/me/Pictures";
    env.twipsPerPixelX = 15;
    env.twipsPerPixelY = 15;
    env.screenWidthTwips = 1920 * 15;
    env.screenHeightTwips = 1080 * 15;
    return env;
}

class MainWindowTest : public ::testing::Test
{
protected:
    void SetUp() override { window.setConfigPath(dir.filePath("Korvane/Config.cfg")); }

    void storeSettings(const Settings& settings)
    {
        ASSERT_TRUE(ConfigFile::write(window.configPath(), settings));
    }

    QTemporaryDir dir;
    MainWindow window{testEnvironment()};
};

} // namespace

TEST_F(MainWindowTest, StartsFramelessAtDefaultSizeCentred)
{
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.size(), QSize(388, 515));
    // 4237.5 twips rounds to the even 4238, which is 282.53 pixels.
    EXPECT_EQ(window.pos(), QPoint(766, 283));
    EXPECT_EQ(window.captionText(), "Korvane");
    EXPECT_EQ(window.trayIcon()->toolTip(), "Taskel Media Player");
}

TEST_F(MainWindowTest, FirstLoadLeavesDefaultFileAndAppliesIt)
{
    window.LoadConfigurations();
    EXPECT_TRUE(QFile::exists(window.configPath()));
    EXPECT_EQ(window.settings(), defaultSettings(testEnvironment()));
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window.trayIcon()->isVisible());
}

TEST_F(MainWindowTest, RememberedSizeAndPositionAreAppliedUnclamped)
{
    Settings stored = defaultSettings(testEnvironment());
    stored.RememberLastSize = 1;
    stored.RememberLastPos = 1;
    stored.WindowWidth = 600 * 15;
    stored.WindowHeight = 400 * 15;
    stored.WindowLeft = -5000 * 15; // far off every screen
    stored.WindowTop = 37 * 15;
    stored.AlwaysOnTop = 1;
    storeSettings(stored);
    window.LoadConfigurations();
    EXPECT_EQ(window.size(), QSize(600, 400));
    EXPECT_EQ(window.pos(), QPoint(-5000, 37));
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(MainWindowTest, ForgottenSizeAndPositionLeaveWindowAlone)
{
    Settings stored = defaultSettings(testEnvironment());
    stored.WindowWidth = 600 * 15;
    stored.WindowLeft = 10;
    storeSettings(stored);
    const QPoint before = window.pos();
    window.LoadConfigurations();
    EXPECT_EQ(window.size(), QSize(388, 515));
    EXPECT_EQ(window.pos(), before);
}

TEST_F(MainWindowTest, WriteRecordsPositionOnlyOnceLoaded)
{
    window.LoadConfigurations();
    window.move(100, 50);
    window.setLoading(true);
    ASSERT_TRUE(window.WriteConfigurations());
    const qint32 centredLeft = defaultSettings(testEnvironment()).WindowLeft;
    EXPECT_EQ(window.settings().WindowLeft, centredLeft);

    window.setLoading(false);
    ASSERT_TRUE(window.WriteConfigurations());
    QFile file(window.configPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const Settings back = ConfigFile::parse(file.readAll()).value();
    EXPECT_EQ(back.WindowLeft, 1500);
    EXPECT_EQ(back.WindowTop, 750);
}

TEST_F(MainWindowTest, ReceivedCommandAsksForFileWithPlayDecision)
{
    window.LoadConfigurations();
    window.settings().LaunchFullscreen = 1;
    QSignalSpy requests(&window, &MainWindow::fileRequested);

    window.receiveCommand("");
    EXPECT_EQ(requests.count(), 0);

    window.receiveCommand("/media/a b/clip.mkv");
    window.receiveCommand("/media/a b/other.avi *Add");
    ASSERT_EQ(requests.count(), 2);
    EXPECT_EQ(requests.at(0).at(0).toString(), "clip.mkv");
    EXPECT_EQ(requests.at(0).at(1).toString(), "/media/a b/clip.mkv");
    EXPECT_TRUE(requests.at(0).at(2).toBool());
    EXPECT_TRUE(requests.at(0).at(3).toBool());
    EXPECT_EQ(requests.at(1).at(0).toString(), "other.avi");
    EXPECT_EQ(requests.at(1).at(1).toString(), "/media/a b/other.avi");
    EXPECT_FALSE(requests.at(1).at(3).toBool());
}

TEST_F(MainWindowTest, ClosingSavesSettingsOnce)
{
    window.LoadConfigurations();
    window.setLoading(false);
    QFile::remove(window.configPath());
    window.close();
    EXPECT_TRUE(QFile::exists(window.configPath()));
    QFile::remove(window.configPath());
    window.shutdown();
    EXPECT_FALSE(QFile::exists(window.configPath()));
}

TEST_F(MainWindowTest, CaptionFollowsTitleBarMode)
{
    window.LoadConfigurations();
    window.resize(800, 515);
    window.setMediaActive(true);
    window.settings().TitleBarMode = 0;
    window.showMediaCaption("clip.mkv", "/media/clip.mkv");
    EXPECT_EQ(window.captionText(), "Korvane - (clip.mkv)");
    window.settings().TitleBarMode = 1;
    window.SetLoadedOptions();
    EXPECT_EQ(window.captionText(), "Korvane - (/media/clip.mkv)");
    window.settings().TitleBarMode = 2;
    window.SetLoadedOptions();
    EXPECT_EQ(window.captionText(), "Korvane");
}

TEST_F(MainWindowTest, CaptionStaysWhileNothingIsLoaded)
{
    window.LoadConfigurations();
    window.settings().TitleBarMode = 1;
    window.SetLoadedOptions();
    EXPECT_EQ(window.captionText(), "Korvane");
}

TEST_F(MainWindowTest, IntakeCountShowsOnlyWhileSeveralFilesWait)
{
    auto* label = window.findChild<QLabel*>("lblIntake");
    ASSERT_NE(label, nullptr);
    window.show();
    window.setIntakeProgress(0, 1);
    EXPECT_FALSE(label->isVisible());
    window.setIntakeProgress(3, 10);
    EXPECT_TRUE(label->isVisible());
    EXPECT_EQ(label->text(), "Adding files: 3 of 10");
    window.setIntakeProgress(9, 10);
    EXPECT_FALSE(label->isVisible());
}

TEST_F(MainWindowTest, VideoFullScreenHidesTheRestAndKeepsStoredGeometry)
{
    window.LoadConfigurations();
    window.setLoading(false);
    window.show();
    const qint32 width = window.settings().WindowWidth;
    window.setVideoFullScreen(true);
    EXPECT_TRUE(window.isVideoFullScreen());
    EXPECT_FALSE(window.transportBar()->isVisible());
    EXPECT_EQ(window.videoArea()->geometry(), window.rect());
    EXPECT_EQ(window.settings().WindowWidth, width);
    emit window.videoArea()->escapePressed();
    EXPECT_FALSE(window.isVideoFullScreen());
    EXPECT_TRUE(window.transportBar()->isVisible());
}
