#include "ui/frame/SkinnedWindow.h"

#include "ui/WindowWaits.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QStyleHints>
#include <QTest>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace {

enum class Region
{
    None = -1,
    Close = 0,
    Caption = 1,
    Ok = 2,
};

// The smallest skinned window: a caption strip with a close button, and an OK face.
class TestWindow : public QWidget, public SkinnedWindow
{
public:
    TestWindow()
        : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
          SkinnedWindow(*this, ButtonStates(3), static_cast<int>(Region::Caption), nullptr)
    {
        resize(200, 100);
    }

    std::vector<int> clicks;
    mutable std::vector<int> painted;
    bool takesDoubleClicks = false;

    using SkinnedWindow::mutableButtonStates;
    using SkinnedWindow::setSkinHidden;

protected:
    bool event(QEvent* event) override { return skinEvent(event) || QWidget::event(event); }
    std::vector<SkinPiece> skinPieces() const override
    {
        return {
            SkinPiece::area(15, QRect(0, 0, 200, 30), Region::Caption),
            SkinPiece::buttonFace(186, QRect(170, 2, 20, 20), Region::Close),
            SkinPiece::picture(1, QRect(0, 30, 200, 70)),
            SkinPiece::buttonFace(196, QRect(20, 50, 60, 30), Region::Ok),
        };
    }
    void skinClicked(int region) override { clicks.push_back(region); }
    void drawSkinPiece(QPainter&, int slot, const QRect&) const override
    {
        painted.push_back(slot);
    }
    bool skinDoubleClicked(int) override { return takesDoubleClicks; }
};

const QPoint kOk(50, 60);
const QPoint kClose(180, 10);
const QPoint kBody(150, 70);
const QPoint kStrip(60, 10);

void send(QWidget& window, QEvent::Type type, QPoint at, Qt::MouseButton button,
          Qt::MouseButtons held)
{
    QMouseEvent event(type, QPointF(at), window.mapToGlobal(QPointF(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(&window, &event);
}

void press(QWidget& w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonPress, at, button, button);
}
void release(QWidget& w, QPoint at, Qt::MouseButton button = Qt::LeftButton)
{
    send(w, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}
void hover(QWidget& w, QPoint at)
{
    send(w, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
}

class SkinnedWindowTest : public testing::Test
{
protected:
    void SetUp() override
    {
        window.move(100, 100);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, kWindowWaitMs));
    }
    TestWindow window;
};

struct ClickCase
{
    const char* name;
    std::function<void(TestWindow&)> mouse;
    std::vector<int> clicks;
};

TEST_F(SkinnedWindowTest, AClickIsALeftPressOnTheWindowAndAReleaseOverAnEnabledRegion)
{
    const ClickCase cases[] = {
        {"press and release on OK", [](TestWindow& w) { press(w, kOk), release(w, kOk); }, {2}},
        {"released off the face", [](TestWindow& w) { press(w, kOk), release(w, kBody); }, {}},
        {"pressed on the body, released on OK: the release counts",
         [](TestWindow& w) { press(w, kBody), release(w, kOk); },
         {2}},
        {"released outside the window",
         [](TestWindow& w) { press(w, kOk), release(w, QPoint(-5, 60)); },
         {}},
        {"right button",
         [](TestWindow& w) { press(w, kOk, Qt::RightButton), release(w, kOk, Qt::RightButton); },
         {}},
        {"a release with no press before it", [](TestWindow& w) { release(w, kClose); }, {}},
        {"disabled OK",
         [](TestWindow& w) {
             w.mutableButtonStates().setState(Region::Ok, ButtonState::Disabled);
             press(w, kOk), release(w, kOk);
         },
         {}},
        {"the caption strip drags instead",
         [](TestWindow& w) { press(w, kStrip), release(w, kStrip); },
         {}},
        {"close, then OK",
         [](TestWindow& w) {
             press(w, kClose), release(w, kClose), press(w, kOk), release(w, kOk);
         },
         {0, 2}},
        {"a double-click the window does not take is a second press",
         [](TestWindow& w) {
             press(w, kOk), release(w, kOk);
             send(w, QEvent::MouseButtonDblClick, kOk, Qt::LeftButton, Qt::LeftButton);
             release(w, kOk);
         },
         {2, 2}},
        {"a double-click the window takes is no click",
         [](TestWindow& w) {
             w.takesDoubleClicks = true;
             press(w, kOk), release(w, kOk);
             send(w, QEvent::MouseButtonDblClick, kOk, Qt::LeftButton, Qt::LeftButton);
             release(w, kOk);
         },
         {2}},
        {"a hidden skin takes no clicks",
         [](TestWindow& w) {
             w.setSkinHidden(true);
             press(w, kOk), release(w, kOk);
         },
         {}},
    };
    for (const ClickCase& c : cases) {
        TestWindow fresh;
        fresh.show();
        c.mouse(fresh);
        EXPECT_EQ(fresh.clicks, c.clicks) << c.name;
    }
}

TEST_F(SkinnedWindowTest, PaintingDrawsEveryPieceInOrderWithTheFaceOfItsState)
{
    hover(window, kOk);
    window.painted.clear();
    window.grab();
    EXPECT_EQ(window.painted, (std::vector<int>{15, 186, 1, 197}));
    press(window, kClose);
    window.painted.clear();
    window.grab();
    EXPECT_EQ(window.painted, (std::vector<int>{15, 188, 1, 196}));
    window.setSkinHidden(true);
    window.painted.clear();
    window.grab();
    EXPECT_TRUE(window.painted.empty());
}

TEST_F(SkinnedWindowTest, HeldButtonsLeaveTheStatesAlone)
{
    press(window, kOk);
    send(window, QEvent::MouseMove, kClose, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.buttonStates().state(Region::Ok), ButtonState::Pressed);
    EXPECT_EQ(window.buttonStates().state(Region::Close), ButtonState::Normal);
    release(window, kClose);
    EXPECT_EQ(window.buttonStates().state(Region::Ok), ButtonState::Pressed)
        << "pressed until the pointer moves";
    hover(window, kClose);
    EXPECT_EQ(window.buttonStates().state(Region::Ok), ButtonState::Normal);
    EXPECT_EQ(window.buttonStates().state(Region::Close), ButtonState::Over);
}

TEST_F(SkinnedWindowTest, TheCaptionStripMovesTheWindowWithTheLeftButton)
{
    const QPoint start = window.pos();
    press(window, kStrip, Qt::RightButton);
    send(window, QEvent::MouseMove, kStrip + QPoint(30, 20), Qt::NoButton, Qt::RightButton);
    release(window, kStrip + QPoint(30, 20), Qt::RightButton);
    EXPECT_EQ(window.pos(), start) << "the right button moves nothing";

    press(window, kStrip);
    send(window, QEvent::MouseMove, kStrip + QPoint(30, 20), Qt::NoButton, Qt::LeftButton);
    release(window, kStrip + QPoint(30, 20));
    // Where a window manager moves the window itself, the move is its own business.
    if (window.pos() != start) {
        EXPECT_EQ(window.pos(), start + QPoint(30, 20));
    }
    const QPoint after = window.pos();
    send(window, QEvent::MouseMove, kStrip + QPoint(60, 40), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), after) << "the drag ends with the release";
}

// A hand's jitter between the two clicks of a double-click leaves the window where it is.
TEST_F(SkinnedWindowTest, TheWindowStaysUntilThePointerLeavesThePress)
{
    const QPoint start = window.pos();
    const int threshold = QGuiApplication::styleHints()->startDragDistance();
    const QPoint jitter(threshold / 2, 0);
    press(window, kStrip);
    send(window, QEvent::MouseMove, kStrip + jitter, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.pos(), start);
    send(window, QEvent::MouseMove, kStrip + jitter + QPoint(threshold, 5), Qt::NoButton,
         Qt::LeftButton);
    release(window, kStrip + jitter + QPoint(threshold, 5));
    EXPECT_EQ(window.pos(), start + jitter + QPoint(threshold, 5)) << "the whole travel";
}

TEST_F(SkinnedWindowTest, TheHitTableFollowsThePieces)
{
    const HitTable table = window.hitTable();
    EXPECT_EQ(table.count(), 3);
    EXPECT_EQ(window.regionAt(kClose), 0);
    EXPECT_EQ(window.regionAt(kStrip), 1);
    EXPECT_EQ(window.regionAt(kOk), 2);
    EXPECT_EQ(window.regionAt(kBody), -1);
}

} // namespace
