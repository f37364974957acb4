#include "skin/PlaylistPlacement.h"

#include <gtest/gtest.h>

namespace {

struct PlacementCase
{
    const char* name;
    int position;
    std::array<int, 5> size; // -1: not touched (the centre, or an unknown code)
    int host;
    bool clearsOthers;
    bool fills;
    std::array<bool, 5> locked;
};

TEST(PlaylistPlacement, TableForA600By300Splitter)
{
    const PlacementCase cases[] = {
        {"left", 0, {200, 0, -1, 0, 0}, 0, true, false, {false, true, false, true, true}},
        {"right", 1, {0, 0, -1, 0, 200}, 4, true, false, {true, true, false, true, false}},
        {"top", 2, {0, 100, -1, 0, 0}, 1, true, false, {true, false, false, true, true}},
        {"bottom", 3, {0, 0, -1, 100, 0}, 3, true, false, {true, true, false, false, true}},
        {"fill", 4, {0, 0, -1, 0, 0}, -1, true, true, {true, true, false, true, true}},
        {"hidden", 5, {0, 0, -1, 0, 0}, -1, false, false, {true, true, false, true, true}},
        {"unknown", 6, {-1, -1, -1, -1, -1}, -1, false, false, {}},
        {"negative", -1, {-1, -1, -1, -1, -1}, -1, false, false, {}},
    };
    for (const PlacementCase& c : cases) {
        const PlaylistPlacement p = PlaylistPlacement::forPosition(c.position, QSize(600, 300));
        EXPECT_EQ(p.known, c.position >= 0 && c.position <= 5) << c.name;
        EXPECT_EQ(p.size, c.size) << c.name;
        EXPECT_EQ(p.host, c.host) << c.name;
        EXPECT_EQ(p.clearOtherHosts, c.clearsOthers) << c.name;
        EXPECT_EQ(p.fills, c.fills) << c.name;
        EXPECT_EQ(p.locked, c.locked) << c.name;
    }
}

TEST(PlaylistPlacement, ThirdsAreTruncated)
{
    EXPECT_EQ(PlaylistPlacement::forPosition(0, QSize(602, 10)).size[0], 200);
    EXPECT_EQ(PlaylistPlacement::forPosition(3, QSize(10, 299)).size[3], 99);
    EXPECT_EQ(PlaylistPlacement::forPosition(1, QSize(2, 2)).size[4], 0);
}

} // namespace
