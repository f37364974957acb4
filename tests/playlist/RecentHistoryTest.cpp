#include "playlist/RecentHistory.h"

#include "system/FakeUserStore.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString kNames = QStringLiteral("Software\\Taskel\\Korvane\\RecentFileNames");
const QString kTitles = QStringLiteral("Software\\Taskel\\Korvane\\RecentFileTitles");

void storeEntry(FakeUserStore& store, int slot, const QString& path, const QString& title)
{
    store.writeString(kNames, QString::number(slot), path);
    store.writeString(kTitles, QString::number(slot), title);
}

QString storedPath(const FakeUserStore& store, int slot)
{
    return store.readString(kNames, QString::number(slot), QStringLiteral("<missing>"));
}

QString storedTitle(const FakeUserStore& store, int slot)
{
    return store.readString(kTitles, QString::number(slot), QStringLiteral("<missing>"));
}

QString path(int i)
{
    return QStringLiteral("/media/clip%1.avi").arg(i);
}

QString title(int i)
{
    return QStringLiteral("clip%1.avi").arg(i);
}

// Menu, paths and store must agree slot for slot.
void expectInStep(const RecentHistory& history, const FakeUserStore& store, int count)
{
    for (int slot = 0; slot < count; ++slot) {
        SCOPED_TRACE(slot);
        const auto item = history.menuItem(slot);
        EXPECT_TRUE(item.visible);
        EXPECT_TRUE(item.enabled);
        EXPECT_EQ(storedPath(store, slot), history.recentFile(slot));
        EXPECT_EQ(storedTitle(store, slot), item.caption);
    }
}

using Item = RecentHistory::MenuItem;

} // namespace

TEST(RecentHistoryMenu, StartsWithTheDisabledPlaceholderAndTenHiddenItems)
{
    FakeUserStore store;
    RecentHistory history(store);
    history.loadHistory();
    EXPECT_EQ(history.menuItem(0), (Item{"<No History>", true, false}));
    for (int slot = 1; slot <= 10; ++slot) {
        EXPECT_EQ(history.menuItem(slot), (Item{"", false, true})) << slot;
    }
    EXPECT_FALSE(history.entry(0).has_value());
    EXPECT_EQ(history.menuItem(11), Item{});
    EXPECT_EQ(history.menuItem(-1), Item{});
    EXPECT_FALSE(history.entry(11).has_value());
}

TEST(RecentHistoryMenu, KeysAreExactAndCaseSensitive)
{
    EXPECT_EQ(RecentHistory::menuKey(0), "History0");
    EXPECT_EQ(RecentHistory::menuKey(10), "History10");
    EXPECT_EQ(RecentHistory::menuKey(11), "");
    EXPECT_EQ(RecentHistory::slotOfMenuKey("History0"), 0);
    EXPECT_EQ(RecentHistory::slotOfMenuKey("History10"), 10);
    for (const char* key :
         {"History", "history3", "History01", "History11", "History-1", " History3"}) {
        EXPECT_EQ(RecentHistory::slotOfMenuKey(key), -1) << key;
    }
}

TEST(RecentHistoryCount, CountsConsecutiveNonEmptyPathsFromZero)
{
    FakeUserStore store;
    RecentHistory history(store);
    EXPECT_EQ(history.historyCount(), 0);

    storeEntry(store, 0, path(0), title(0));
    storeEntry(store, 1, path(1), title(1));
    storeEntry(store, 3, path(3), title(3));
    EXPECT_EQ(history.historyCount(), 2);

    store.writeString(kNames, "2", "");
    EXPECT_EQ(history.historyCount(), 2);

    // Titles do not count, only paths.
    store.writeString(kNames, "2", path(2));
    store.deleteValue(kTitles, "2");
    EXPECT_EQ(history.historyCount(), 4);
}

TEST(RecentHistoryCount, StopsAtTenWhetherOrNotValueTenExists)
{
    FakeUserStore store;
    RecentHistory history(store);
    for (int i = 0; i < 10; ++i) {
        storeEntry(store, i, path(i), title(i));
    }
    EXPECT_EQ(history.historyCount(), 10);
    storeEntry(store, 10, path(10), title(10));
    EXPECT_EQ(history.historyCount(), 10);
}

TEST(RecentHistoryLoad, RestoresStoredEntriesOldestFirst)
{
    FakeUserStore store;
    storeEntry(store, 0, "/m/a.avi", "a.avi");
    storeEntry(store, 1, "/m/b.avi", "b.avi");
    storeEntry(store, 2, "/m/c.avi", "c.avi");
    RecentHistory history(store);
    QSignalSpy changed(&history, &RecentHistory::menuItemChanged);
    history.loadHistory();

    EXPECT_EQ(history.menuItem(0), (Item{"a.avi", true, true}));
    EXPECT_EQ(history.menuItem(1), (Item{"b.avi", true, true}));
    EXPECT_EQ(history.menuItem(2), (Item{"c.avi", true, true}));
    EXPECT_EQ(history.menuItem(3), (Item{"", false, true}));
    EXPECT_EQ(history.entry(1), (RecentHistory::Entry{"/m/b.avi", "b.avi"}));
    ASSERT_EQ(changed.count(), 3);
    EXPECT_EQ(changed[0][0].toInt(), 0);
    EXPECT_EQ(changed[2][0].toInt(), 2);
}

TEST(RecentHistoryLoad, MissingTitleGivesAnEmptyCaptionAndGapsEndTheHistory)
{
    FakeUserStore store;
    storeEntry(store, 0, "/m/a.avi", "a.avi");
    store.writeString(kNames, "1", "/m/b.avi");
    storeEntry(store, 3, "/m/d.avi", "d.avi");
    RecentHistory history(store);
    history.loadHistory();

    EXPECT_EQ(history.menuItem(1), (Item{"", true, true}));
    EXPECT_EQ(history.entry(1), (RecentHistory::Entry{"/m/b.avi", ""}));
    EXPECT_EQ(history.menuItem(3), (Item{"", false, true}));
    EXPECT_EQ(history.recentFile(3), "");
}

TEST(RecentHistoryLoad, RestoresAtMostTenEntries)
{
    FakeUserStore store;
    for (int i = 0; i <= 10; ++i) {
        storeEntry(store, i, path(i), title(i));
    }
    RecentHistory history(store);
    history.loadHistory();
    EXPECT_EQ(history.menuItem(9), (Item{title(9), true, true}));
    EXPECT_EQ(history.menuItem(10), (Item{"", false, true}));
    EXPECT_FALSE(history.entry(10).has_value());
}

namespace {

struct AddCase
{
    const char* name;
    QList<RecentHistory::Entry> adds;
    QList<RecentHistory::Entry> kept; // oldest first, as stored and shown
};

void PrintTo(const AddCase& c, std::ostream* out)
{
    *out << c.name;
}

class RecentHistoryAdds : public ::testing::TestWithParam<AddCase>
{};

} // namespace

void PrintTo(const RecentHistory::Entry& entry, std::ostream* out)
{
    *out << '{' << entry.path.toStdString() << ", \"" << entry.title.toStdString() << "\"}";
}

void PrintTo(const RecentHistory::MenuItem& item, std::ostream* out)
{
    *out << "{\"" << item.caption.toStdString() << (item.visible ? "\", visible" : "\", hidden")
         << (item.enabled ? ", enabled}" : ", disabled}");
}

TEST_P(RecentHistoryAdds, KeepWhatTheyShouldInStoreAndMenu)
{
    const AddCase& c = GetParam();
    FakeUserStore store;
    RecentHistory history(store);
    history.loadHistory();
    QSignalSpy changed(&history, &RecentHistory::menuItemChanged);
    for (const RecentHistory::Entry& add : c.adds) {
        history.addToHistory(add.path, add.title);
    }
    EXPECT_EQ(history.historyCount(), c.kept.size());
    EXPECT_EQ(changed.count(), c.kept.size()); // one change per slot filled, none for the rest
    for (int slot = 0; slot < c.kept.size(); ++slot) {
        EXPECT_EQ(history.entry(slot), c.kept.at(slot)) << "slot " << slot;
    }
    expectInStep(history, store, static_cast<int>(c.kept.size()));
    if (c.kept.isEmpty()) {
        EXPECT_EQ(history.menuItem(0), (Item{"<No History>", true, false}));
        EXPECT_FALSE(store.hasValue(kNames, "0"));
    } else {
        EXPECT_FALSE(history.menuItem(static_cast<int>(c.kept.size())).visible);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecentHistoryAdds,
    ::testing::Values(
        AddCase{"FirstEntry", {{"/m/a.avi", "a.avi"}}, {{"/m/a.avi", "a.avi"}}},
        AddCase{"DuplicateNeitherAddedNorMoved",
                {{"/m/a.avi", "a.avi"}, {"/m/b.avi", "b.avi"}, {"/m/a.avi", "another title"}},
                {{"/m/a.avi", "a.avi"}, {"/m/b.avi", "b.avi"}}},
        AddCase{"CaseMakesADifferentFile",
                {{"/m/a.avi", "a.avi"}, {"/m/A.AVI", "A.AVI"}},
                {{"/m/a.avi", "a.avi"}, {"/m/A.AVI", "A.AVI"}}},
        AddCase{"EmptyPathNeverRecorded", {{"", "nothing"}}, {}},
        AddCase{"EmptyPathAfterAnEntry",
                {{"/m/a.avi", "a.avi"}, {"", "nothing"}},
                {{"/m/a.avi", "a.avi"}}},
        AddCase{"EmptyTitleStoredAsIs",
                {{"/m/a.avi", ""}, {"/m/b.avi", "b.avi"}},
                {{"/m/a.avi", ""}, {"/m/b.avi", "b.avi"}}}),
    [](const ::testing::TestParamInfo<AddCase>& param) { return std::string(param.param.name); });

TEST(RecentHistoryAdd, AppendsOldestFirstAndSurvivesARestart)
{
    FakeUserStore store;
    {
        RecentHistory history(store);
        history.loadHistory();
        history.addToHistory("/m/a.avi", "a.avi");
        history.addToHistory("/m/b.avi", "b.avi");
        history.addToHistory("/m/c.avi", "c.avi");
        expectInStep(history, store, 3);
        EXPECT_EQ(history.menuItem(3).visible, false);
    }
    RecentHistory restarted(store);
    restarted.loadHistory();
    EXPECT_EQ(restarted.entry(0), (RecentHistory::Entry{"/m/a.avi", "a.avi"}));
    EXPECT_EQ(restarted.entry(1), (RecentHistory::Entry{"/m/b.avi", "b.avi"}));
    EXPECT_EQ(restarted.entry(2), (RecentHistory::Entry{"/m/c.avi", "c.avi"}));
    restarted.addToHistory("/m/d.avi", "d.avi");
    EXPECT_EQ(storedPath(store, 3), "/m/d.avi");
    expectInStep(restarted, store, 4);
}

TEST(RecentHistoryAdd, ADuplicateOfARestoredEntryIsRecognised)
{
    FakeUserStore store;
    storeEntry(store, 0, "/m/a.avi", "a.avi");
    storeEntry(store, 1, "/m/b.avi", "b.avi");
    RecentHistory history(store);
    history.loadHistory();
    history.addToHistory("/m/b.avi", "b.avi");
    EXPECT_EQ(history.historyCount(), 2);
    EXPECT_EQ(storedPath(store, 2), "<missing>");
}

TEST(RecentHistoryAdd, AFileTitledLikeThePlaceholderDoesNotBlockSlotZero)
{
    FakeUserStore store;
    RecentHistory history(store);
    history.loadHistory();
    history.addToHistory("/m/<No History>", "<No History>");
    history.addToHistory("/m/b.avi", "b.avi");
    EXPECT_EQ(history.entry(0), (RecentHistory::Entry{"/m/<No History>", "<No History>"}));
    EXPECT_EQ(history.entry(1), (RecentHistory::Entry{"/m/b.avi", "b.avi"}));
    EXPECT_TRUE(history.menuItem(0).enabled);

    RecentHistory restarted(store);
    restarted.loadHistory();
    restarted.addToHistory("/m/c.avi", "c.avi");
    EXPECT_EQ(storedPath(store, 0), "/m/<No History>");
    EXPECT_EQ(storedPath(store, 2), "/m/c.avi");
}

TEST(RecentHistoryAdd, AddingBeforeLoadingKeepsTheStoredEntries)
{
    FakeUserStore store;
    storeEntry(store, 0, "/m/a.avi", "a.avi");
    RecentHistory history(store);
    history.addToHistory("/m/b.avi", "b.avi");
    EXPECT_EQ(storedPath(store, 0), "/m/a.avi");
    EXPECT_EQ(storedPath(store, 1), "/m/b.avi");
    expectInStep(history, store, 2);
}

TEST(RecentHistoryAdd, AFullHistoryDropsTheOldestAndKeepsPairsTogether)
{
    FakeUserStore store;
    RecentHistory history(store);
    history.loadHistory();
    for (int i = 0; i < 10; ++i) {
        history.addToHistory(path(i), title(i));
    }
    ASSERT_EQ(history.historyCount(), 10);
    QSignalSpy changed(&history, &RecentHistory::menuItemChanged);
    const int batches = store.batches;

    history.addToHistory(path(10), title(10));
    EXPECT_EQ(store.batches, batches + 1) << "the whole rotation is one write";
    EXPECT_EQ(history.historyCount(), 10);
    for (int slot = 0; slot < 10; ++slot) {
        EXPECT_EQ(history.entry(slot), (RecentHistory::Entry{path(slot + 1), title(slot + 1)}))
            << slot;
    }
    expectInStep(history, store, 10);
    EXPECT_EQ(history.menuItem(10), (Item{"", false, true}));
    EXPECT_EQ(storedPath(store, 10), "<missing>");
    EXPECT_EQ(changed.count(), 10);

    // The dropped file is new again; one still present is not moved.
    history.addToHistory(path(5), "again");
    EXPECT_EQ(history.entry(4), (RecentHistory::Entry{path(5), title(5)}));
    history.addToHistory(path(0), title(0));
    EXPECT_EQ(history.entry(9), (RecentHistory::Entry{path(0), title(0)}));
    EXPECT_EQ(history.entry(0), (RecentHistory::Entry{path(2), title(2)}));
    expectInStep(history, store, 10);

    RecentHistory restarted(store);
    restarted.loadHistory();
    for (int slot = 0; slot < 10; ++slot) {
        EXPECT_EQ(restarted.entry(slot), history.entry(slot)) << slot;
    }
}

TEST(RecentHistoryAdd, AFullStoredHistoryWithMissingTitlesShiftsThemAlong)
{
    FakeUserStore store;
    for (int i = 0; i < 10; ++i) {
        store.writeString(kNames, QString::number(i), path(i));
        if (i != 3) {
            store.writeString(kTitles, QString::number(i), title(i));
        }
    }
    RecentHistory history(store);
    history.loadHistory();
    history.addToHistory(path(10), title(10));
    EXPECT_EQ(history.entry(2), (RecentHistory::Entry{path(3), ""}));
    EXPECT_EQ(storedTitle(store, 2), "");
    EXPECT_EQ(storedTitle(store, 3), title(4));
}

TEST(RecentHistoryAdd, FailingWritesStillShowTheEntryForTheRun)
{
    FakeUserStore store;
    RecentHistory history(store);
    history.loadHistory();
    store.failWrites = true;
    history.addToHistory("/m/a.avi", "a.avi");
    EXPECT_EQ(history.menuItem(0), (Item{"a.avi", true, true}));
    EXPECT_EQ(history.historyCount(), 0);
    // Already shown: not shown twice.
    history.addToHistory("/m/a.avi", "a.avi");
    EXPECT_FALSE(history.menuItem(1).visible);
}

TEST(RecentHistoryAdd, RecordingOffKeepsTheEntriesAndAddsNone)
{
    FakeUserStore store;
    storeEntry(store, 0, path(0), title(0));
    RecentHistory history(store);
    history.loadHistory();
    QSignalSpy changed(&history, &RecentHistory::menuItemChanged);
    history.setRecording(false);
    history.addToHistory(path(1), title(1));
    EXPECT_EQ(changed.size(), 0);
    expectInStep(history, store, 1);
    ASSERT_TRUE(history.entry(0).has_value());
    EXPECT_EQ(history.entry(0)->path, path(0));

    history.setRecording(true);
    history.addToHistory(path(2), title(2));
    expectInStep(history, store, 2);
    EXPECT_EQ(storedPath(store, 1), path(2));
}
