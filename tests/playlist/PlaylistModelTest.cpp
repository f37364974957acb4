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
