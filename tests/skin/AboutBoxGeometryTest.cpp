#include "skin/AboutBoxGeometry.h"

#include <gtest/gtest.h>

// Rectangles read as x, y, width × height in failures.
void PrintTo(const QRect& r, std::ostream* out)
{
    *out << '(' << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ')';
}

namespace {

using G = AboutBoxGeometry;
using States = G::States;

} // namespace

TEST(AboutBoxGeometry, PiecesAtTheDesignSize)
{
    const States states{G::Over, G::Normal, G::Press};
    const auto pieces = G::pieces(G::Width, G::Height, states);
    const G::Piece expected[] = {
        {15, QRect(0, 0, 416, 31), 1},     {187, QRect(386, 1, 23, 24), 0},
        {0, QRect(0, 31, 15, 168), -1},    {2, QRect(400, 31, 16, 168), -1},
        {204, QRect(0, 199, 416, 14), -1}, {1, QRect(12, 31, 391, 168), -1},
        {200, QRect(20, 51, 80, 80), -1},  {198, QRect(341, 168, 60, 30), 2},
    };
    ASSERT_EQ(pieces.size(), std::size(expected));
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_EQ(pieces[i].slot, expected[i].slot) << "piece " << i;
        EXPECT_EQ(pieces[i].rect, expected[i].rect) << "piece " << i;
        EXPECT_EQ(pieces[i].hitIndex, expected[i].hitIndex) << "piece " << i;
    }
    EXPECT_EQ(G::okLabelRect(G::Width, G::Height), QRect(364, 175, 60, 30));
}

TEST(AboutBoxGeometry, PiecesFollowTheSize)
{
    const auto pieces = G::pieces(500, 300, States{});
    EXPECT_EQ(pieces[1].rect, QRect(470, 1, 23, 24));
    EXPECT_EQ(pieces[5].rect, QRect(12, 31, 475, 255));
    EXPECT_EQ(pieces[7].rect, QRect(425, 255, 60, 30));
    EXPECT_EQ(pieces[1].slot, 186);
    EXPECT_EQ(pieces[7].slot, 196);
}

TEST(AboutBoxGeometry, HitTestPrefersTheLowestIndex)
{
    const G::HitRects rects = G::hitRects(G::Width, G::Height);
    const struct
    {
        QPoint point;
        int hit;
    } cases[] = {
        {{0, 0}, G::CaptionStrip},
        {{415, 30}, G::CaptionStrip},
        {{386, 1}, G::CloseButton},
        {{408, 24}, G::CloseButton},
        {{409, 24}, G::CaptionStrip},
        {{385, 10}, G::CaptionStrip},
        {{0, 31}, -1},
        {{341, 168}, G::OkButton},
        {{400, 197}, G::OkButton},
        {{401, 197}, -1},
        {{340, 170}, -1},
        {{200, 100}, -1},
        {{-1, 5}, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(G::hitTest(rects, c.point), c.hit) << c.point.x() << ',' << c.point.y();
    }
}

TEST(AboutBoxGeometry, MouseRules)
{
    const int N = G::Normal, O = G::Over, P = G::Press, D = G::Disabled;
    const struct
    {
        const char* name;
        States before;
        int hit;
        States after;
        bool drag;
    } presses[] = {
        {"press on OK", {N, N, N}, 2, {N, N, P}, false},
        {"press on close keeps others", {N, O, P}, 0, {P, O, P}, false},
        {"press on the caption drags", {N, N, N}, 1, {N, P, N}, true},
        {"press beside everything", {O, N, N}, -1, {O, N, N}, false},
        {"a disabled piece stays", {D, N, N}, 0, {D, N, N}, false},
    };
    for (const auto& c : presses) {
        const G::PressResult got = G::mousePressed(c.before, c.hit);
        EXPECT_EQ(got.states, c.after) << c.name;
        EXPECT_EQ(got.startDrag, c.drag) << c.name;
    }

    const struct
    {
        const char* name;
        States before;
        int hit;
        bool held;
        States after;
    } moves[] = {
        {"hover OK", {N, N, N}, 2, false, {N, N, O}},
        {"hover moves on", {N, N, O}, 0, false, {O, N, N}},
        {"off everything", {P, N, O}, -1, false, {N, N, N}},
        {"held button keeps the press", {N, N, P}, -1, true, {N, N, P}},
    };
    for (const auto& c : moves) {
        EXPECT_EQ(G::mouseMoved(c.before, c.hit, c.held), c.after) << c.name;
    }

    EXPECT_TRUE(G::clickCloses(G::CloseButton));
    EXPECT_TRUE(G::clickCloses(G::OkButton));
    EXPECT_FALSE(G::clickCloses(G::CaptionStrip));
    EXPECT_FALSE(G::clickCloses(-1));
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
