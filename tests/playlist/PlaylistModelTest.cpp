#include "playlist/PlaylistModel.h"

#include <QSignalSpy>
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

namespace {

struct MoveCase
{
    int index;
    int from;
    int to;
    int expected;
};

void PrintTo(const MoveCase& c, std::ostream* out)
{
    *out << "index " << c.index << " after " << c.from << " -> " << c.to;
}

class IndexAfterMove : public ::testing::TestWithParam<MoveCase>
{};

PlaylistModel& fiveEntries(PlaylistModel& model)
{
    for (const char* name : {"a.avi", "b.avi", "c.avi", "d.avi", "e.avi"}) {
        model.append(PlaylistEntry{name, QImage(1, 1, QImage::Format_RGB32), "/m/" + QString(name),
                                   "info of " + QString(name)});
    }
    return model;
}

} // namespace

TEST_P(IndexAfterMove, FollowsTheEntry)
{
    const MoveCase& c = GetParam();
    EXPECT_EQ(PlaylistModel::indexAfterMove(c.index, c.from, c.to), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, IndexAfterMove,
                         ::testing::Values(MoveCase{1, 1, 3, 3},   // the moved entry itself
                                           MoveCase{2, 1, 3, 1},   // passed over downwards
                                           MoveCase{3, 1, 3, 2},   // the one at the target
                                           MoveCase{4, 1, 3, 4},   // below the span
                                           MoveCase{0, 1, 3, 0},   // above the span
                                           MoveCase{3, 3, 1, 1},   // moved up
                                           MoveCase{1, 3, 1, 2},   // pushed down by it
                                           MoveCase{2, 3, 1, 3},   // inside the span
                                           MoveCase{4, 3, 1, 4},   // below it
                                           MoveCase{-1, 0, 4, -1}, // nothing selected
                                           MoveCase{2, 2, 2, 2}),
                         [](const ::testing::TestParamInfo<MoveCase>& param) {
                             const MoveCase& c = param.param;
                             return "index" + std::to_string(c.index + 1) + "_from" +
                                    std::to_string(c.from) + "_to" + std::to_string(c.to);
                         });

TEST(PlaylistModelMove, PathDescriptionPictureAndTitleMoveTogether)
{
    PlaylistModel model;
    fiveEntries(model);
    model.select(3); // d.avi
    QSignalSpy moved(&model, &PlaylistModel::entryMoved);
    QSignalSpy selection(&model, &PlaylistModel::selectionChanged);

    ASSERT_TRUE(model.move(0, 3));
    EXPECT_EQ(model.paths(),
              QStringList({"/m/b.avi", "/m/c.avi", "/m/d.avi", "/m/a.avi", "/m/e.avi"}));
    EXPECT_EQ(model.mediaInfos(), QStringList({"info of b.avi", "info of c.avi", "info of d.avi",
                                               "info of a.avi", "info of e.avi"}));
    for (int i = 0; i < model.count(); ++i) {
        EXPECT_EQ("/m/" + model.title(i), model.fullPath(i)) << i;
        EXPECT_FALSE(model.entry(i).picture.isNull()) << i;
    }
    EXPECT_EQ(model.selectedTitle(), "d.avi");
    EXPECT_EQ(model.selectedItem(), 2);
    ASSERT_EQ(moved.size(), 1);
    EXPECT_EQ(moved.at(0), QVariantList({0, 3}));
    EXPECT_EQ(selection.size(), 1);
    // Lookups by path still find every entry where it now stands.
    EXPECT_EQ(model.indexOf("/m/a.avi"), 3);
    EXPECT_EQ(model.indexOf("/m/e.avi"), 4);
}

TEST(PlaylistModelMove, RefusesWhatWouldNotMoveAnything)
{
    PlaylistModel model;
    fiveEntries(model);
    QSignalSpy moved(&model, &PlaylistModel::entryMoved);
    for (const auto& [from, to] : {std::pair{2, 2}, {-1, 2}, {2, 5}, {5, 0}, {0, -1}}) {
        EXPECT_FALSE(model.move(from, to)) << from << " -> " << to;
    }
    EXPECT_EQ(moved.size(), 0);
    EXPECT_EQ(model.title(0), "a.avi");
    EXPECT_EQ(model.title(4), "e.avi");
}

TEST(PlaylistModelPlaying, TheMarkFollowsItsFileThroughMovesAndRemovals)
{
    PlaylistModel model;
    fiveEntries(model);
    QSignalSpy playing(&model, &PlaylistModel::playingChanged);
    EXPECT_EQ(model.playingIndex(), -1);

    model.setPlayingPath("/m/c.avi");
    EXPECT_EQ(model.playingIndex(), 2);
    model.move(2, 0);
    EXPECT_EQ(model.playingIndex(), 0);
    model.move(4, 1); // an entry moving in below it leaves the mark where it is
    EXPECT_EQ(model.playingIndex(), 0);
    model.removeAt(1);
    EXPECT_EQ(model.fullPath(model.playingIndex()), "/m/c.avi");
    EXPECT_GE(playing.size(), 3); // set, and each move repaints it

    // Removing the playing entry leaves nothing marked; adding the file back marks it again,
    // since it is still what plays.
    model.removeAt(model.playingIndex());
    EXPECT_EQ(model.playingIndex(), -1);
    model.append(PlaylistEntry{"c.avi", {}, "/m/c.avi", {}});
    EXPECT_EQ(model.playingIndex(), model.count() - 1);

    model.clear();
    EXPECT_EQ(model.playingIndex(), -1);
    model.setPlayingPath(QString());
    EXPECT_EQ(model.playingPath(), QString());
}

TEST(PlaylistModelPlaying, PathsCompareExactly)
{
    PlaylistModel model;
    fiveEntries(model);
    model.setPlayingPath("/M/C.AVI");
    EXPECT_EQ(model.playingIndex(), -1);
    QSignalSpy playing(&model, &PlaylistModel::playingChanged);
    model.setPlayingPath("/M/C.AVI"); // unchanged: nothing to repaint
    EXPECT_EQ(playing.size(), 0);
}
