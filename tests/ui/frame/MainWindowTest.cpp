#include "ui/frame/MainWindow.h"

#include "settings/ConfigFile.h"
#include "ui/WindowWaits.h"
#include "ui/frame/FivePaneSplitter.h"
#include "ui/frame/ServerPosition.h"
#include "ui/frame/VideoArea.h"
#include "ui/playlistview/FancyList.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
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
    void SetUp() override
    {
        settings.setConfigPath(dir.filePath("Korvane/Config.cfg"));
        QObject::connect(&settings, &SettingsStore::changed, &window,
                         &MainWindow::applyLoadedOptions);
    }

    void storeSettings(const Settings& record)
    {
        ASSERT_TRUE(ConfigFile::write(settings.configPath(), record));
    }
    void setTitleBarMode(qint16 mode)
    {
        Settings record = settings.settings();
        record.titleBarMode = static_cast<TitleBarMode>(mode);
        settings.apply(record);
    }

    QTemporaryDir dir;
    SettingsStore settings{testEnvironment()};
    MainWindow window{settings};
};

} // namespace

TEST_F(MainWindowTest, StartsFramelessAtDefaultSizeCentred)
{
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(window.size(), QSize(388, 515));
    // 4237.5 twips rounds to the even 4238, which is 282.53 pixels.
    EXPECT_EQ(window.pos(), QPoint(766, 283));
    EXPECT_EQ(window.captionText(), "Korvane");
    EXPECT_EQ(window.findChild<QSystemTrayIcon*>()->toolTip(), "Taskel Media Player");
}

TEST_F(MainWindowTest, FirstLoadLeavesDefaultFileAndAppliesIt)
{
    settings.load();
    EXPECT_TRUE(QFile::exists(settings.configPath()));
    EXPECT_EQ(settings.settings(), defaultSettings(testEnvironment()));
    EXPECT_FALSE(window.isTopmost());
    EXPECT_FALSE(window.findChild<QSystemTrayIcon*>()->isVisible());
}

TEST_F(MainWindowTest, RememberedSizeAndPositionAreAppliedOnTheScreen)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    Settings stored = defaultSettings(testEnvironment());
    stored.rememberLastSize = true;
    stored.rememberLastPos = true;
    stored.windowWidth = 300 * 15;
    stored.windowHeight = 200 * 15;
    stored.windowLeft = (screen.x() + 20) * 15;
    stored.windowTop = (screen.y() + 37) * 15;
    stored.alwaysOnTop = true;
    storeSettings(stored);
    settings.load();
    EXPECT_EQ(window.size(), QSize(300, 200));
    EXPECT_EQ(window.pos(), screen.topLeft() + QPoint(20, 37));
    EXPECT_TRUE(window.isTopmost());
}

TEST_F(MainWindowTest, StoredGeometryBeyondTheScreenIsBroughtOntoIt)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const struct
    {
        const char* name;
        qint32 width, height, left, top;
    } cases[] = {
        {"largest twips", 2147483647, 2147483647, 0, 0},
        {"a bigger monitor's size", 491505, 491505, 0, 0},
        {"far off every screen", 300 * 15, 200 * 15, -5000 * 15, -2147483647},
        {"negative size", -2147483647, -15, 2147483647, 2147483647},
    };
    for (const auto& c : cases) {
        Settings stored = defaultSettings(testEnvironment());
        stored.rememberLastSize = true;
        stored.rememberLastPos = true;
        stored.windowWidth = c.width;
        stored.windowHeight = c.height;
        stored.windowLeft = c.left;
        stored.windowTop = c.top;
        storeSettings(stored);
        settings.load();
        EXPECT_TRUE(screen.contains(window.geometry())) << c.name;
        EXPECT_LE(window.width(), screen.width()) << c.name;
    }
}

TEST_F(MainWindowTest, ForgottenSizeAndPositionLeaveWindowAlone)
{
    Settings stored = defaultSettings(testEnvironment());
    stored.windowWidth = 600 * 15;
    stored.windowLeft = 10;
    storeSettings(stored);
    const QPoint before = window.pos();
    settings.load();
    EXPECT_EQ(window.size(), QSize(388, 515));
    EXPECT_EQ(window.pos(), before);
}

TEST_F(MainWindowTest, WriteRecordsPositionOnlyOnceLoaded)
{
    settings.load();
    window.move(100, 50);
    window.setLoading(true);
    ASSERT_TRUE(settings.save(window.placement()));
    const qint32 centredLeft = defaultSettings(testEnvironment()).windowLeft;
    EXPECT_EQ(settings.settings().windowLeft, centredLeft);

    // Nor does a resize while loading change the stored size.
    window.resize(450, 515);
    window.layoutMainWindow();
    EXPECT_EQ(settings.settings().windowWidth, defaultSettings(testEnvironment()).windowWidth);

    window.setLoading(false);
    ASSERT_TRUE(settings.save(window.placement()));
    QFile file(settings.configPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const Settings back = ConfigFile::parse(file.readAll()).value();
    EXPECT_EQ(back.windowLeft, 1500);
    EXPECT_EQ(back.windowTop, 750);
}

TEST_F(MainWindowTest, ClosingAsksForShutdownWithoutWritingTheFile)
{
    settings.load();
    QFile::remove(settings.configPath());
    QSignalSpy closing(&window, &MainWindow::closing);
    window.close();
    EXPECT_EQ(closing.count(), 1);
    EXPECT_FALSE(QFile::exists(settings.configPath()));
}

TEST_F(MainWindowTest, CaptionFollowsTitleBarMode)
{
    settings.load();
    window.resize(800, 515);
    window.setMediaActive(true);
    setTitleBarMode(0);
    window.showMediaCaption("/media/clip.mkv", "clip.mkv");
    EXPECT_EQ(window.captionText(), "Korvane - (clip.mkv)");
    EXPECT_EQ(window.windowTitle(), window.captionText());
    setTitleBarMode(1);
    EXPECT_EQ(window.captionText(), "Korvane - (/media/clip.mkv)");
    setTitleBarMode(7); // no such mode: the caption stays
    EXPECT_EQ(window.captionText(), "Korvane - (/media/clip.mkv)");
    setTitleBarMode(2);
    EXPECT_EQ(window.captionText(), "Korvane");
}

TEST_F(MainWindowTest, CaptionStaysWhileNothingIsLoaded)
{
    settings.load();
    for (const int mode : {0, 1, 2}) {
        setTitleBarMode(mode);
        EXPECT_EQ(window.captionText(), "Korvane") << "mode " << mode;
        // The transport may count as active before an item is loaded; resizing or applying
        // the settings then rebuilds the caption.
        window.setMediaActive(true);
        window.resize(700 + mode, 515);
        EXPECT_EQ(window.captionText(), "Korvane") << "mode " << mode << ", resized";
        setTitleBarMode(mode);
        EXPECT_EQ(window.captionText(), "Korvane") << "mode " << mode << ", settings applied";
        window.setMediaActive(false);
    }
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
    settings.load();
    window.setLoading(false);
    // The playlist over the whole content lies over the video, outside the splitter.
    Settings record = settings.settings();
    record.playlistPosition = PlaylistPosition::Fill;
    settings.apply(record);
    window.show();
    auto* list = window.findChild<FancyList*>();
    ASSERT_TRUE(list->isVisible());
    const qint32 width = settings.settings().windowWidth;
    window.setVideoFullScreen(true);
    EXPECT_TRUE(window.isVideoFullScreen());
    EXPECT_EQ(window.findChild<FivePaneSplitter*>()->geometry(), window.rect());
    EXPECT_EQ(window.findChild<VideoArea*>()->geometry(), window.rect());
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(settings.settings().windowWidth, width);
    emit window.findChild<VideoArea*>()->escapePressed();
    EXPECT_FALSE(window.isVideoFullScreen());
    EXPECT_EQ(window.findChild<FivePaneSplitter*>()->geometry(),
              QRect(15, 56, window.width() - 30, window.height() - 203));
    EXPECT_EQ(list->geometry(), window.findChild<FivePaneSplitter*>()->geometry());
    EXPECT_TRUE(list->isVisible());
}

TEST_F(MainWindowTest, ChildrenReachTheOutsideOnlyAsIntentSignals)
{
    auto* list = window.findChild<FancyList*>();
    auto* video = window.findChild<VideoArea*>();
    ASSERT_NE(list, nullptr);
    ASSERT_NE(video, nullptr);
    QSignalSpy clicked(&window, &MainWindow::playlistEntryClicked);
    QSignalSpy activated(&window, &MainWindow::playlistEntryActivated);
    QSignalSpy listDrops(&window, &MainWindow::playlistFilesDropped);
    QSignalSpy videoDrops(&window, &MainWindow::filesDropped);
    QSignalSpy menus(&window, &MainWindow::contextMenuRequested);

    emit list->entryClicked();
    emit list->entryDoubleClicked();
    emit list->filesDropped({"/m/a.mkv"}, Qt::LeftButton, {}, QPointF(1, 1));
    emit video->filesDropped({"/m/b.mkv", "/m/c.mkv"});
    // Only the right button asks for the playlist menu.
    emit list->pointerPressed(Qt::LeftButton, {}, QPointF(3, 4));
    emit list->pointerPressed(Qt::RightButton, {}, QPointF(3, 4));

    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(activated.count(), 1);
    ASSERT_EQ(listDrops.count(), 1);
    EXPECT_EQ(listDrops[0][0].toStringList(), QStringList{"/m/a.mkv"});
    ASSERT_EQ(videoDrops.count(), 1) << "drops on the video and on the list stay apart";
    EXPECT_EQ(videoDrops[0][0].toStringList(), QStringList({"/m/b.mkv", "/m/c.mkv"}));
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(menus[0][0].value<MainWindow::ContextMenu>(), MainWindow::ContextMenu::PlayList);
    EXPECT_EQ(menus[0][1].toPoint(), list->mapToGlobal(QPoint(3, 4)));
}

namespace {

// Where the window stands as the screen has it; a window manager places and sizes it in its own
// time, so the checks wait for it.
QRect placed(const QWidget& window)
{
    return {serverPosition(window).value_or(window.pos()), window.size()};
}

bool settlesAt(const QWidget& window, const QRect& place)
{
    return QTest::qWaitFor([&] { return placed(window) == place; });
}

} // namespace

TEST_F(MainWindowTest, MaximisedByTheToggleTheWindowIsRememberedWhereItStoodBefore)
{
    settings.load();
    window.setLoading(false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, kWindowWaitMs));
    window.move(120, 70);
    ASSERT_TRUE(settlesAt(window, QRect(QPoint(120, 70), window.size())));
    const qint32 width = settings.settings().windowWidth;
    const QSize before = window.size();
    window.toggleMaximized();
    ASSERT_TRUE(window.isMaximizedByToggle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.size() != before; }));
    EXPECT_EQ(settings.settings().windowWidth, width) << "the size from before is kept";
    ASSERT_TRUE(settings.save(window.placement()));
    EXPECT_EQ(settings.settings().windowLeft, 120 * 15);
    EXPECT_EQ(settings.settings().windowTop, 70 * 15);

    window.toggleMaximized();
    ASSERT_FALSE(window.isMaximizedByToggle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isMaximized(); }));
    window.move(200, 90);
    ASSERT_TRUE(settlesAt(window, QRect(QPoint(200, 90), window.size())));
    ASSERT_TRUE(settings.save(window.placement()));
    EXPECT_EQ(settings.settings().windowLeft, 200 * 15) << "restored, the window's own place";
}

TEST_F(MainWindowTest, LeavingFullScreenPutsTheWindowBackAsItStood)
{
    settings.load();
    window.setLoading(false);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, kWindowWaitMs));
    const QRect before(130, 90, 420, 530);
    window.setGeometry(before);
    ASSERT_TRUE(settlesAt(window, before));
    window.setVideoFullScreen(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isFullScreen(); }));
    window.setVideoFullScreen(false);
    EXPECT_TRUE(settlesAt(window, before))
        << "stands at " << placed(window).x() << "," << placed(window).y() << " " << window.width()
        << "x" << window.height();
    EXPECT_FALSE(window.isFullScreen());

    // Maximised by the window manager, the window comes back maximised.
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isMaximized(); }));
    window.setVideoFullScreen(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.isFullScreen(); }));
    window.setVideoFullScreen(false);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.isMaximized() && !window.isFullScreen(); }));
}
