#include "skin/SettingsLayout.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <ostream>

namespace {

constexpr int W = SettingsLayout::kWidth;
constexpr int H = SettingsLayout::kHeight;

struct Expected
{
    int slot;
    int x, y, w, h;
    int hit;
};

// PaintSettings on page 2, every state Normal except those the test sets.
const Expected kPageTwo[] = {
    {15, 0, 0, W, 31, 11},
    {186, W - 30, 1, 23, 24, 0},
    {0, 0, 31, 15, H - 45, -1},
    {2, W - 16, 31, 16, H - 45, -1},
    {1, 12, 31, W - 25, H - 45, -1},
    {7, 0, H - 14, 15, 14, -1},
    {8, W - 8, H - 14, 8, 14, -1},
    {6, 15, H - 14, W - 19, 14, -1},
    {201, 35, 40, 90, 30, 1},
    {201, 120, 40, 90, 30, 2},
    {13, 17, 62, 110, 14, -1},
    {13, 204, 62, W - 223, 14, -1},
    {196, 390, 90, 80, 30, 7},
    {196, 390, 127, 80, 30, 8},
    {196, 390, 163, 80, 30, 9},
    {196, 390, 200, 80, 30, 10},
    {13, 16, 381, W - 37, 14, -1},
    {14, 11, 69, 12, 319, -1},
    {14, W - 25, 69, 12, 319, -1},
    {196, W - 80, H - 40, 60, 20, 6},
    {196, W - 155, H - 40, 60, 20, 5},
    {196, W - 230, H - 40, 60, 20, 4},
};

} // namespace

TEST(SettingsLayout, PageTwoPaintsTheTwentyTwoPiecesInOrder)
{
    const auto pieces = SettingsLayout::pieces(W, H, SettingsPage::Associations);
    const ButtonStates states = SettingsLayout::buttonStates();
    ASSERT_EQ(pieces.size(), std::size(kPageTwo));
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const Expected& e = kPageTwo[i];
        EXPECT_EQ(pieces[i].faceSlot(states), e.slot) << "step " << i + 1;
        EXPECT_EQ(pieces[i].rect, QRect(e.x, e.y, e.w, e.h)) << "step " << i + 1;
        EXPECT_EQ(pieces[i].region, e.hit) << "step " << i + 1;
    }
}

TEST(SettingsLayout, OtherPagesMoveTheTabGapOrDropTheLineAndButtons)
{
    const auto one = SettingsLayout::pieces(W, H, SettingsPage::Player);
    ASSERT_EQ(one.size(), 18u);
    EXPECT_EQ(one[10].rect, QRect(17, 62, 26, 14));
    EXPECT_EQ(one[11].rect, QRect(118, 62, W - 136, 14));
    const auto three = SettingsLayout::pieces(W, H, SettingsPage::SnapShot);
    ASSERT_EQ(three.size(), 16u);
    for (const auto& piece : three) {
        EXPECT_FALSE(piece.rect.top() == 62 && piece.slot == 13) << "tab line on page 3";
        EXPECT_FALSE(piece.region >= 7 && piece.region <= 10) << piece.region;
    }
}

TEST(SettingsLayout, ButtonSlotsFollowTheirStates)
{
    ButtonStates states = SettingsLayout::buttonStates();
    states.setState(SettingsRegion::Close, ButtonState::Over);
    states.setState(SettingsRegion::Ok, ButtonState::Pressed);
    states.setState(SettingsRegion::AudioFiles, ButtonState::Disabled);
    states.setState(SettingsRegion::PlayerTab, ButtonState::Pressed);
    const struct
    {
        SettingsRegion region;
        int slot;
    } expected[] = {{SettingsRegion::Close, 187},
                    {SettingsRegion::Ok, 198},
                    {SettingsRegion::AudioFiles, 199},
                    {SettingsRegion::PlayerTab, 201},
                    {SettingsRegion::Cancel, 196}};
    const auto pieces = SettingsLayout::pieces(W, H, SettingsPage::Associations);
    for (const auto& e : expected) {
        const auto piece = std::find_if(pieces.begin(), pieces.end(), [&](const SkinPiece& p) {
            return p.region == static_cast<int>(e.region);
        });
        ASSERT_NE(piece, pieces.end()) << static_cast<int>(e.region);
        EXPECT_EQ(piece->faceSlot(states), e.slot) << static_cast<int>(e.region);
    }
}

TEST(SettingsLayout, HitTableOfEachPage)
{
    const HitTable two = SettingsLayout::hitRects(W, H, SettingsPage::Associations);
    EXPECT_EQ(two[SettingsRegion::SelectAll], QRect(390, 90, 80, 30));
    EXPECT_TRUE(two[SettingsRegion::SnapShotTab].isNull())
        << "the SnapShot tab has no painted button";
    // Hidden buttons answer no click: their rectangles go with their page.
    for (const SettingsPage page : {SettingsPage::Player, SettingsPage::SnapShot}) {
        const HitTable other = SettingsLayout::hitRects(W, H, page);
        for (int i = 7; i <= 10; ++i) {
            EXPECT_TRUE(other[i].isNull()) << i;
        }
        EXPECT_EQ(other[SettingsRegion::PlayerTab], QRect(35, 40, 90, 30));
        EXPECT_EQ(other[SettingsRegion::Apply], QRect(W - 230, H - 40, 60, 20));
    }
}

namespace {

struct HitCase
{
    QPoint at;
    int hit;
    SettingsAction action;
};

void PrintTo(const HitCase& c, std::ostream* out)
{
    *out << "(" << c.at.x() << "," << c.at.y() << ")";
}

const HitCase kHits[] = {
    {{W - 20, 10}, 0, SettingsAction::Unload}, // close wins over the caption strip
    {{200, 10}, 11, SettingsAction::None},     // the caption only drags
    {{50, 50}, 1, SettingsAction::ShowPlayer},
    {{122, 50}, 1, SettingsAction::ShowPlayer}, // the overlap belongs to the lower index
    {{200, 50}, 2, SettingsAction::ShowAssociations},
    {{240, 60}, -1, SettingsAction::None}, // where the SnapShot tab would be
    {{W - 200, H - 30}, 4, SettingsAction::Save},
    {{W - 120, H - 30}, 5, SettingsAction::SaveAndUnload},
    {{W - 50, H - 30}, 6, SettingsAction::Unload},
    {{400, 100}, 7, SettingsAction::SelectAll},
    {{400, 140}, 8, SettingsAction::DeselectAll},
    {{400, 170}, 9, SettingsAction::AudioPreset},
    {{400, 220}, 10, SettingsAction::VideoPreset},
    {{250, 250}, -1, SettingsAction::None},
};

class SettingsHitTest : public testing::TestWithParam<HitCase>
{};

} // namespace

TEST_P(SettingsHitTest, RegionAndAction)
{
    const HitCase& c = GetParam();
    const HitTable rects = SettingsLayout::hitRects(W, H, SettingsPage::Associations);
    EXPECT_EQ(rects.hitTest(c.at), c.hit);
    EXPECT_EQ(SettingsLayout::clickAction(static_cast<SettingsRegion>(c.hit)), c.action);
}

INSTANTIATE_TEST_SUITE_P(Points, SettingsHitTest, testing::ValuesIn(kHits),
                         [](const auto& param_info) {
                             return "At_" + std::to_string(param_info.param.at.x()) + "_" +
                                    std::to_string(param_info.param.at.y());
                         });
