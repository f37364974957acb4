#include "skin/HitTable.h"

#include <gtest/gtest.h>

namespace {

enum class Region
{
    None = -1,
    Button = 0,
    Strip = 1,
    Lower = 2,
    Icon = 3,
};

// A strip with a button on its right end and an icon inside it, as the skinned windows lay
// out their captions, plus a trimmed button below.
std::vector<SkinPiece> pieces()
{
    SkinPiece lower = SkinPiece::buttonFace(50, QRect(10, 40, 20, 21), Region::Lower);
    lower.hit = QRect(10, 40, 20, 15);
    return {
        SkinPiece::picture(1, QRect(0, 0, 200, 100)),
        SkinPiece::area(15, QRect(0, 0, 100, 30), Region::Strip),
        SkinPiece::area(202, QRect(3, 3, 20, 20), Region::Icon),
        SkinPiece::buttonFace(186, QRect(80, 2, 20, 20), Region::Button),
        lower,
        SkinPiece::buttonFace(60, QRect(0, 0, 5, 5), static_cast<Region>(7)), // beyond the table
    };
}

TEST(HitTable, LowestIndexWinsAndEmptyEntriesNeverMatch)
{
    const HitTable table = HitTable::fromPieces(4, pieces());
    const struct
    {
        const char* name;
        QPoint at;
        Region region;
    } cases[] = {
        {"button over the strip", {85, 10}, Region::Button},
        {"button's last column", {99, 21}, Region::Button},
        {"right of the button, still the strip", {99, 25}, Region::Strip},
        {"icon inside the strip reports the strip", {10, 10}, Region::Strip},
        {"strip's right edge is exclusive", {100, 10}, Region::None},
        {"strip's bottom edge is exclusive", {50, 30}, Region::None},
        {"background picture answers nothing", {150, 80}, Region::None},
        {"upper part of the trimmed button", {15, 54}, Region::Lower},
        {"trimmed foot", {15, 56}, Region::None},
        {"left of the window", {-1, 5}, Region::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(table.regionAt<Region>(c.at), c.region) << c.name;
    }
    EXPECT_EQ(table.count(), 4) << "a piece beyond the table is left out";
    EXPECT_EQ(table[Region::Icon], QRect(3, 3, 20, 20));
    EXPECT_TRUE(table[Region::None].isNull());
    EXPECT_TRUE(table[9].isNull());
}

TEST(HitTable, AnEmptyRectangleNeverMatchesEvenWhereItsCornerLies)
{
    HitTable table(3);
    table.set(0, QRect(10, 10, 0, 5));
    table.set(1, QRect(10, 10, -4, -4));
    table.set(2, QRect(8, 8, 4, 4));
    EXPECT_EQ(table.hitTest({10, 10}), 2);
    EXPECT_EQ(table.hitTest({8, 8}), 2);
    EXPECT_EQ(table.hitTest({7, 7}), -1);
}

TEST(SkinPiece, OnlyButtonsChangeTheirFaceWithTheirState)
{
    ButtonStates states(4);
    states.setState(Region::Button, ButtonState::Pressed);
    states.setState(Region::Strip, ButtonState::Over);
    const std::vector<SkinPiece> list = pieces();
    EXPECT_EQ(list[3].faceSlot(states), 188);
    EXPECT_EQ(list[1].faceSlot(states), 15);
    EXPECT_EQ(list[0].faceSlot(states), 1);
    states.setState(Region::Button, ButtonState::Disabled);
    EXPECT_EQ(list[3].faceSlot(states), 189);
}

} // namespace
