#include "skin/AboutBoxGeometry.h"

#include <gtest/gtest.h>

// Rectangles read as x, y, width × height in failures.
void PrintTo(const QRect& r, std::ostream* out)
{
    *out << '(' << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}

namespace {

using G = AboutBoxGeometry;
using R = AboutRegion;

} // namespace

TEST(AboutBoxGeometry, PiecesAtTheDesignSize)
{
    ButtonStates states = G::buttonStates();
    states.setState(R::CloseButton, ButtonState::Over);
    states.setState(R::OkButton, ButtonState::Pressed);
    const auto pieces = G::pieces(G::Width, G::Height);
    const struct
    {
        int slot;
        QRect rect;
        int region;
    } expected[] = {
        {15, QRect(0, 0, 416, 31), 1},     {187, QRect(386, 1, 23, 24), 0},
        {0, QRect(0, 31, 15, 168), -1},    {2, QRect(400, 31, 16, 168), -1},
        {204, QRect(0, 199, 416, 14), -1}, {1, QRect(12, 31, 391, 168), -1},
        {200, QRect(20, 51, 80, 80), -1},  {198, QRect(341, 168, 60, 30), 2},
    };
    ASSERT_EQ(pieces.size(), std::size(expected));
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i].faceSlot(states), expected[i].slot) << "piece " << i;
        EXPECT_EQ(pieces[i].rect, expected[i].rect) << "piece " << i;
        EXPECT_EQ(pieces[i].region, expected[i].region) << "piece " << i;
    }
    EXPECT_EQ(G::okLabelRect(G::Width, G::Height), QRect(364, 175, 60, 30));
}

TEST(AboutBoxGeometry, PiecesFollowTheSize)
{
    const auto pieces = G::pieces(500, 300);
    const ButtonStates states = G::buttonStates();
    EXPECT_EQ(pieces[1].rect, QRect(470, 1, 23, 24));
    EXPECT_EQ(pieces[5].rect, QRect(12, 31, 475, 255));
    EXPECT_EQ(pieces[7].rect, QRect(425, 255, 60, 30));
    EXPECT_EQ(pieces[1].faceSlot(states), 186);
    EXPECT_EQ(pieces[7].faceSlot(states), 196);
}

TEST(AboutBoxGeometry, HitTestPrefersTheLowestIndex)
{
    const HitTable rects = G::hitRects(G::Width, G::Height);
    const struct
    {
        QPoint point;
        R region;
    } cases[] = {
        {{0, 0}, R::CaptionStrip},   {{415, 30}, R::CaptionStrip}, {{386, 1}, R::CloseButton},
        {{408, 24}, R::CloseButton}, {{409, 24}, R::CaptionStrip}, {{385, 10}, R::CaptionStrip},
        {{0, 31}, R::None},          {{341, 168}, R::OkButton},    {{400, 197}, R::OkButton},
        {{401, 197}, R::None},       {{340, 170}, R::None},        {{200, 100}, R::None},
        {{-1, 5}, R::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rects.regionAt<R>(c.point), c.region) << c.point.x() << ',' << c.point.y();
    }
}

TEST(AboutBoxGeometry, TextsAsShown)
{
    EXPECT_EQ(G::captionText(), QStringLiteral("About Korvane"));
    EXPECT_TRUE(G::basedOnText().endsWith(u' '));
    EXPECT_EQ(G::linkText(), QStringLiteral("VideoLan"));
    EXPECT_TRUE(
        G::descriptionText().startsWith(QStringLiteral("Korvane is an easy-to-use program")));
    EXPECT_TRUE(G::descriptionText().endsWith(QStringLiteral("Video-CD discs.")));
    EXPECT_EQ(G::linkAddress(), QStringLiteral("https://www.videolan.org/"));
}
