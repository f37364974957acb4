#include "playlist/PlaylistModel.h"

#include <QSignalSpy>
#include <array>
#include <gtest/gtest.h>

namespace {

PlaylistEntry entry(const QString& name)
{
    return PlaylistEntry{name, {}, "/m/" + name, "info of " + name};
}

struct RemovalCase
{
    int selected;
    int removed;
    int countAfter;
    int expected;
};

void PrintTo(const RemovalCase& c, std::ostream* out)
{
    *out << "selected " << c.selected << ", removed " << c.removed << ", " << c.countAfter
         << " left";
}

class SelectionAfterRemove : public ::testing::TestWithParam<RemovalCase>
{};

} // namespace

TEST_P(SelectionAfterRemove, FollowsTheSelectedEntry)
{
    const RemovalCase& c = GetParam();
    EXPECT_EQ(PlaylistModel::selectionAfterRemove(c.selected, c.removed, c.countAfter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SelectionAfterRemove,
    ::testing::Values(RemovalCase{2, 2, 4, 2},   // the next entry takes the place
                      RemovalCase{4, 4, 4, 3},   // the last one goes: the new last
                      RemovalCase{0, 0, 0, -1},  // nothing left
                      RemovalCase{-1, 0, 0, -1}, // nothing was selected
                      RemovalCase{3, 1, 4, 2},   // an entry above goes: it moves up
                      RemovalCase{1, 3, 4, 1},   // one below goes: it stays
                      RemovalCase{-1, 2, 4, -1}),
    [](const ::testing::TestParamInfo<RemovalCase>& param) {
        const RemovalCase& c = param.param;
        const auto n = [](int v) {
            return v < 0 ? std::string("none") : std::to_string(v);
        };
        return "sel" + n(c.selected) + "_remove" + std::to_string(c.removed) + "_left" +
               std::to_string(c.countAfter);
    });

TEST(PlaylistModel, ParallelListsStayTogetherThroughRemovals)
{
    PlaylistModel model;
    for (const char* name : {"a.avi", "b.avi", "c.avi"}) {
        model.append(entry(name));
    }
    model.select(2);
    QSignalSpy removed(&model, &PlaylistModel::entryRemoved);
    QSignalSpy selection(&model, &PlaylistModel::selectionChanged);

    model.removeAt(1);
    EXPECT_EQ(model.paths(), QStringList({"/m/a.avi", "/m/c.avi"}));
    EXPECT_EQ(model.mediaInfos(), QStringList({"info of a.avi", "info of c.avi"}));
    EXPECT_EQ(model.selectedItem(), 1);
    EXPECT_EQ(model.selectedTitle(), "c.avi");
    EXPECT_FALSE(model.contains("/m/b.avi"));
    EXPECT_EQ(model.indexOf("/m/c.avi"), 1);
    EXPECT_EQ(removed.size(), 1);
    EXPECT_EQ(selection.size(), 1);

    model.removeAt(5); // out of range: nothing changes, nothing is announced
    model.removeAt(-1);
    EXPECT_EQ(model.count(), 2);
    EXPECT_EQ(removed.size(), 1);
}

TEST(PlaylistModel, SelectionTakesNoneOrAnExistingEntryOnly)
{
    PlaylistModel model;
    model.append(entry("a.avi"));
    QSignalSpy selection(&model, &PlaylistModel::selectionChanged);
    for (int asked : {3, -2, 0, 0, -1}) {
        model.select(asked);
    }
    // 3 and -2 are refused, the second 0 changes nothing.
    EXPECT_EQ(selection.size(), 2);
    EXPECT_EQ(model.selectedItem(), -1);
    EXPECT_EQ(model.selectedTitle(), QString());
    EXPECT_EQ(model.fullPath(1), QString());
}

TEST(PlaylistModel, ClearForgetsPathsAndSelection)
{
    PlaylistModel model;
    model.append(entry("a.avi"));
    model.select(0);
    QSignalSpy cleared(&model, &PlaylistModel::cleared);
    model.clear();
    EXPECT_EQ(cleared.size(), 1);
    EXPECT_EQ(model.count(), 0);
    EXPECT_EQ(model.selectedItem(), -1);
    EXPECT_FALSE(model.contains("/m/a.avi"));
    model.append(entry("a.avi"));
    EXPECT_TRUE(model.contains("/m/a.avi"));
}

TEST(PlaylistModelMove, EveryOtherIndexFollowsItsEntry)
{
    // Index, from, to, and where that entry stands afterwards.
    const std::array<std::array<int, 4>, 9> cases{{{1, 1, 3, 3},
                                                   {2, 1, 3, 1},
                                                   {3, 1, 3, 2},
                                                   {4, 1, 3, 4},
                                                   {0, 1, 3, 0},
                                                   {3, 3, 1, 1},
                                                   {1, 3, 1, 2},
                                                   {4, 3, 1, 4},
                                                   {-1, 0, 4, -1}}};
    for (const auto& [index, from, to, expected] : cases) {
        EXPECT_EQ(PlaylistModel::indexAfterMove(index, from, to), expected)
            << index << " after " << from << " -> " << to;
    }
}

TEST(PlaylistModelMove, PathDescriptionPictureSelectionAndPlayingMarkMoveTogether)
{
    PlaylistModel model;
    for (const char* name : {"a.avi", "b.avi", "c.avi", "d.avi"}) {
        model.append(PlaylistEntry{name, QImage(1, 1, QImage::Format_RGB32), "/m/" + QString(name),
                                   "info of " + QString(name)});
    }
    model.select(3);
    model.setPlayingPath("/m/a.avi");
    QSignalSpy moved(&model, &PlaylistModel::entryMoved);
    for (const auto& [from, to] : {std::pair{2, 2}, {-1, 2}, {2, 4}}) {
        EXPECT_FALSE(model.move(from, to)) << from << " -> " << to;
    }
    ASSERT_TRUE(model.move(0, 2));
    EXPECT_EQ(model.paths(), QStringList({"/m/b.avi", "/m/c.avi", "/m/a.avi", "/m/d.avi"}));
    EXPECT_EQ(model.mediaInfos(),
              QStringList({"info of b.avi", "info of c.avi", "info of a.avi", "info of d.avi"}));
    EXPECT_EQ(model.title(2), "a.avi");
    EXPECT_FALSE(model.entry(2).picture.isNull());
    EXPECT_EQ(moved.size(), 1);
    EXPECT_EQ(model.selectedTitle(), "d.avi");
    EXPECT_EQ(model.playingIndex(), 2);
    EXPECT_EQ(model.indexOf("/m/a.avi"), 2);

    // The mark goes with its file's entry and comes back when the file is added again.
    model.removeAt(2);
    EXPECT_EQ(model.playingIndex(), -1);
    model.append(PlaylistEntry{"a.avi", {}, "/m/a.avi", {}});
    EXPECT_EQ(model.playingIndex(), 3);
    model.setPlayingPath("/M/A.AVI"); // another file: paths compare exactly
    EXPECT_EQ(model.playingIndex(), -1);
}
