#include "settings/SettingsStore.h"
#include "ui/WindowWaits.h"
#include "ui/frame/FivePaneSplitter.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/VideoArea.h"

#include <QGuiApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

SettingsEnvironment testEnvironment()
{
    SettingsEnvironment env;
    env.twipsPerPixelX = 15;
    env.twipsPerPixelY = 15;
    env.screenWidthTwips = 1920 * 15;
    env.screenHeightTwips = 1080 * 15;
    return env;
}

// The window as the user meets it: real skin images, mouse sequences on the offscreen platform.
class SkinnedFrameTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        window.setLoading(false);
        window.resize(400, 515);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, kWindowWaitMs));
        window.setControlState(MediaControlState::Stopped);
        // No button is left held from an earlier test.
        QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(200, 20));
        paint();
    }
    void paint() { window.repaint(); }
    // The window keeps its children; the layout checks look them up by type.
    FivePaneSplitter* splitter() const { return window.findChild<FivePaneSplitter*>(); }
    VideoArea* video() const { return window.findChild<VideoArea*>(); }
    QPoint centreOf(SkinRegion region) const { return window.hitTable()[region].center(); }
    ButtonState state(SkinRegion region) const { return window.buttonStates().state(region); }
    void clickAt(QPoint point)
    {
        QTest::mouseMove(&window, point);
        QTest::mouseClick(&window, Qt::LeftButton, Qt::NoModifier, point);
        paint();
    }

    SettingsStore settings{testEnvironment()};
    MainWindow window{settings};
};

TEST_F(SkinnedFrameTest, AllSkinImagesAreLoadedIntoSlotsOfTheirOwn)
{
    EXPECT_EQ(SkinImages::loadingOrder().size(), 96u);
    EXPECT_EQ(window.skinImages().loadedCount(), 96);
    const QImage& strip = window.skinImages().slot(SkinImages::AboutStripSlot);
    const QImage& greyButton = window.skinImages().slot(199);
    EXPECT_EQ(strip.size(), QSize(128, 80));
    EXPECT_EQ(greyButton.size(), QSize(150, 46));
}

// On a real display QTest also warps the pointer, and the server's own motion events then
// interleave with the synthetic ones; there the xdotool script checks the same sequences.
#define SKIP_UNLESS_OFFSCREEN()                                                                    \
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {                           \
        GTEST_SKIP() << "pointer sequences are checked offscreen";                                 \
    }

TEST_F(SkinnedFrameTest, HoverLightsAButtonAndPressPressesIt)
{
    SKIP_UNLESS_OFFSCREEN();
    const QPoint play = centreOf(SkinRegion::Play);
    QTest::mouseMove(&window, play);
    EXPECT_EQ(state(SkinRegion::Play), ButtonState::Over);
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, play);
    EXPECT_EQ(state(SkinRegion::Play), ButtonState::Pressed);
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, play);
    EXPECT_EQ(state(SkinRegion::Play), ButtonState::Pressed)
        << "stays pressed until the pointer moves";
    QTest::mouseMove(&window, QPoint(200, 200));
    EXPECT_EQ(state(SkinRegion::Play), ButtonState::Normal);
}

TEST_F(SkinnedFrameTest, ClicksRunEnabledButtonsOnly)
{
    QSignalSpy clicks(&window, &MainWindow::regionClicked);
    const struct
    {
        const char* name;
        QPoint point;
        int expected; // region reported, -1 none
    } cases[] = {
        {"Play while stopped", centreOf(SkinRegion::Play), 8},
        {"Pause while stopped is disabled", centreOf(SkinRegion::Pause), -1},
        {"Stop while stopped is disabled", centreOf(SkinRegion::Stop), -1},
        {"PlayList", centreOf(SkinRegion::PlayList), 17},
        {"Open", centreOf(SkinRegion::Open), 19},
        {"trimmed foot of Play", QPoint(200, 515 - 147 + 60 + 70), -1},
        {"video area", QPoint(200, 200), -1},
    };
    for (const auto& c : cases) {
        clicks.clear();
        clickAt(c.point);
        if (c.expected < 0) {
            EXPECT_EQ(clicks.count(), 0) << c.name;
        } else {
            ASSERT_EQ(clicks.count(), 1) << c.name;
            EXPECT_EQ(static_cast<int>(clicks[0][0].value<SkinRegion>()), c.expected) << c.name;
        }
    }
    EXPECT_EQ(state(SkinRegion::Pause), ButtonState::Disabled);
}

TEST_F(SkinnedFrameTest, MaximizeGreysMinimizeUntilRestored)
{
    clickAt(centreOf(SkinRegion::Maximize));
    EXPECT_TRUE(window.isMaximizedByToggle());
    EXPECT_EQ(state(SkinRegion::Minimize), ButtonState::Disabled);
    window.toggleMaximized();
    EXPECT_FALSE(window.isMaximizedByToggle());
    EXPECT_EQ(state(SkinRegion::Minimize), ButtonState::Normal);
}

TEST_F(SkinnedFrameTest, RewindAndFastForwardActWhileHeldAndOnlyWhenEnabled)
{
    QSignalSpy rewindDown(&window, &SkinnedFrame::rewindPressed);
    QSignalSpy rewindUp(&window, &SkinnedFrame::rewindReleased);
    QSignalSpy forwardDown(&window, &SkinnedFrame::fastForwardPressed);
    QSignalSpy forwardUp(&window, &SkinnedFrame::fastForwardReleased);
    QSignalSpy clicks(&window, &MainWindow::regionClicked);
    const QPoint rewind = centreOf(SkinRegion::Rewind);
    const QPoint forward = centreOf(SkinRegion::FastForward);

    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, rewind);
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, rewind);
    EXPECT_EQ(rewindDown.count(), 0) << "disabled while stopped";

    window.enableMediaControl(MediaControlState::Playing);
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, rewind);
    EXPECT_EQ(rewindDown.count(), 1);
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, rewind);
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, forward);
    EXPECT_EQ(forwardDown.count(), 1);
    // Released off its button, fast-forward ends all the same.
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_EQ(forwardUp.count(), 1);
    EXPECT_EQ(rewindUp.count(), 2) << "a release over Rewind ends rewinding in any state";
    EXPECT_EQ(clicks.count(), 0) << "neither reports a click";
}

TEST_F(SkinnedFrameTest, DoubleClickOnTheCaptionStripMaximisesWithoutTheToggle)
{
    const QPoint strip(150, 12);
    QTest::mouseDClick(&window, Qt::LeftButton, Qt::NoModifier, strip);
    EXPECT_TRUE(window.isMaximized());
    EXPECT_FALSE(window.isMaximizedByToggle());
    EXPECT_EQ(state(SkinRegion::Minimize), ButtonState::Normal);
    QTest::mouseDClick(&window, Qt::LeftButton, Qt::NoModifier, strip);
    EXPECT_FALSE(window.isMaximized());
}

TEST_F(SkinnedFrameTest, HiddenPlaylistLeavesTheVideoTheWholeContent)
{
    window.setPlaylistVisible(true);
    EXPECT_EQ(splitter()->paneSize(Pane::Left), (400 - 30) / 3);
    window.togglePlaylist();
    for (Pane pane : {Pane::Left, Pane::Top, Pane::Bottom, Pane::Right}) {
        EXPECT_EQ(splitter()->paneSize(pane), 0);
    }
    EXPECT_EQ(splitter()->paneRect(Pane::Centre), splitter()->rect());
    EXPECT_EQ(video()->size(), QSize(370, 312));
}

TEST_F(SkinnedFrameTest, SidePlaylistGetsAThirdAfterEveryResize)
{
    window.resize(630, 515); // a 600 px splitter
    EXPECT_EQ(splitter()->width(), 600);
    EXPECT_EQ(splitter()->paneSize(Pane::Left), 200);
    splitter()->setPaneSize(Pane::Left, 320); // as a drag of the bar would
    for (QSize size : {QSize(700, 515), QSize(630, 515)}) {
        window.resize(size);
        EXPECT_EQ(splitter()->paneSize(Pane::Left), (size.width() - 30) / 3) << size.width();
    }
}

TEST_F(SkinnedFrameTest, DraggingTheRightEdgeLeftStopsAtTheMinimum)
{
    SKIP_UNLESS_OFFSCREEN();
    const int y = 250;
    QTest::mouseMove(&window, QPoint(398, y));
    QTest::mousePress(&window, Qt::LeftButton, Qt::NoModifier, QPoint(398, y));
    for (int x : {390, 360, 300, 250}) {
        QTest::mouseMove(&window, QPoint(x, y));
    }
    EXPECT_EQ(window.width(), 370);
    QTest::mouseMove(&window, QPoint(500, y));
    EXPECT_EQ(window.width(), 370) << "stopped until released";
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::NoModifier, QPoint(500, y));
}

TEST_F(SkinnedFrameTest, RightClickOnTheVideoAsksForThePlayMenuAtThePointer)
{
    QSignalSpy menus(&window, &MainWindow::contextMenuRequested);
    emit video()->rightClicked(QPoint(5, 6));
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(menus[0][0].value<MainWindow::ContextMenu>(), MainWindow::ContextMenu::Play);
    const QPoint at = window.mapFromGlobal(menus[0][1].toPoint());
    EXPECT_EQ(at, video()->mapTo(&window, QPoint(5, 6)));
    EXPECT_GT(at.x(), 15 + (400 - 30) / 3) << "shifted by the playlist";
}

} // namespace

// Changing the band must not make the window anew: the window manager would see a new window.
TEST_F(SkinnedFrameTest, TheTopmostBandKeepsTheNativeWindowItHad)
{
    const QWindow* handle = window.windowHandle();
    for (const bool topmost : {true, true, false, true}) {
        window.setTopmost(topmost);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.isTopmost(), topmost);
        EXPECT_EQ(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint), topmost);
        EXPECT_EQ(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), topmost);
        EXPECT_EQ(window.windowHandle(), handle);
        EXPECT_TRUE(window.isVisible());
    }
}

TEST_F(SkinnedFrameTest, AWindowPutInTheBandBeforeItShowsEntersItOnShowing)
{
    window.hide();
    window.setTopmost(true);
    EXPECT_TRUE(window.isTopmost());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, kWindowWaitMs));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
}
