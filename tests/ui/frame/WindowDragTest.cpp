#include "ui/frame/WindowDrag.h"

#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace {

struct DragCase
{
    const char* name;
    std::vector<QPoint> pointer; // global places after the press at (500, 300)
    std::vector<std::optional<QPoint>> window;
};

TEST(WindowDragTest, TheWindowFollowsThePointersTravelOnceItLeavesTheThreshold)
{
    const QPoint press(500, 300);
    const QPoint origin(120, 80);
    const std::vector<DragCase> cases = {
        {"a jitter below the threshold moves nothing", {{503, 302}, {496, 305}}, {{}, {}}},
        {"leaving the threshold moves by the whole travel from the press",
         {{505, 300}, {510, 300}},
         {{}, QPoint(130, 80)}},
        {"once begun, a step back near the press still follows",
         {{520, 310}, {501, 300}},
         {QPoint(140, 90), QPoint(121, 80)}},
        {"travel up and left goes off the screen unclamped", {{300, 100}}, {QPoint(-80, -120)}},
        {"the diagonal counts both ways", {{506, 305}}, {QPoint(126, 85)}},
    };
    for (const DragCase& c : cases) {
        WindowDrag drag(10);
        drag.press(press, origin);
        for (std::size_t i = 0; i < c.pointer.size(); ++i) {
            EXPECT_EQ(drag.follow(c.pointer[i]), c.window[i]) << c.name << ", step " << i;
        }
    }
}

TEST(WindowDragTest, NothingFollowsBeforeAPressOrAfterTheRelease)
{
    WindowDrag drag(4);
    EXPECT_FALSE(drag.isHeld());
    EXPECT_EQ(drag.follow(QPoint(900, 900)), std::nullopt) << "no press yet";
    drag.press(QPoint(10, 10), QPoint(0, 0));
    EXPECT_TRUE(drag.isHeld());
    EXPECT_FALSE(drag.hasBegun());
    EXPECT_EQ(drag.follow(QPoint(30, 10)), QPoint(20, 0));
    EXPECT_TRUE(drag.hasBegun());
    drag.release();
    EXPECT_EQ(drag.follow(QPoint(60, 10)), std::nullopt) << "released";
    // A new press starts from its own point and window place, within the threshold again.
    drag.press(QPoint(60, 10), QPoint(50, 0));
    EXPECT_EQ(drag.follow(QPoint(62, 10)), std::nullopt);
    EXPECT_EQ(drag.follow(QPoint(70, 20)), QPoint(60, 10));
}

} // namespace
