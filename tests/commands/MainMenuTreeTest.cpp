#include "commands/MainMenuTree.h"

#include "QtPrinters.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

using Kind = MainMenuTree::Kind;

// Shorthand for the expected rows: N normal, R radio, S separator; x disabled, h hidden,
// c checked.
struct Row
{
    const char* parent;
    const char* key;
    Kind kind;
    const char* caption;
    int modifiers;
    int virtualKey;
    const char* flags;
};

constexpr Kind N = Kind::Normal;
constexpr Kind R = Kind::Radio;
constexpr Kind S = Kind::Separator;

const Row kExpected[] = {
    {"", "File", N, "&File", 0, 0, ""},
    {"File", "OpenMenu", N, "&Open", 0, 0, ""},
    {"OpenMenu", "OpenFile", N, "Open Media File...", 2, 79, ""},
    {"OpenMenu", "OpenDVD", N, "Open DVD", 0, 0, ""},
    {"OpenDVD", "DVDList0", N, "<No DVD drives were found>", 0, 0, "x"},
    {"OpenDVD", "DVDList1", N, "", 0, 0, "h"},
    {"OpenDVD", "DVDList2", N, "", 0, 0, "h"},
    {"OpenDVD", "DVDList3", N, "", 0, 0, "h"},
    {"OpenDVD", "DVDList4", N, "", 0, 0, "h"},
    {"OpenDVD", "DVDList5", N, "", 0, 0, "h"},
    {"File", "RecentMenu", N, "Recently Played Files", 0, 0, ""},
    {"RecentMenu", "History0", N, "<No History>", 0, 0, "x"},
    {"RecentMenu", "History1", N, "", 0, 0, "h"},
    {"RecentMenu", "History2", N, "", 0, 0, "h"},
    {"RecentMenu", "History3", N, "", 0, 0, "h"},
    {"RecentMenu", "History4", N, "", 0, 0, "h"},
    {"RecentMenu", "History5", N, "", 0, 0, "h"},
    {"RecentMenu", "History6", N, "", 0, 0, "h"},
    {"RecentMenu", "History7", N, "", 0, 0, "h"},
    {"RecentMenu", "History8", N, "", 0, 0, "h"},
    {"RecentMenu", "History9", N, "", 0, 0, "h"},
    {"RecentMenu", "History10", N, "", 0, 0, "h"},
    {"File", "", S, "", 0, 0, ""},
    {"File", "Exit", N, "E&xit", 2, 88, ""},
    {"", "Play", N, "&Play", 0, 0, ""},
    {"Play", "PlayPause", N, "Play/Pause", 2, 80, ""},
    {"Play", "Stop", N, "Stop", 2, 83, ""},
    {"Play", "", S, "", 0, 0, ""},
    {"Play", "PlayMode", N, "Play Mode", 0, 0, ""},
    {"PlayMode", "PMNormal", R, "&Normal", 0, 0, "c"},
    {"PlayMode", "PMContinuous", R, "&Continuous", 0, 0, ""},
    {"PlayMode", "PMShuffle", R, "&Shuffle", 0, 0, ""},
    {"Play", "RepeatMode", N, "Repeat Mode", 0, 0, ""},
    {"RepeatMode", "RMNoRepeat", R, "&No Repeat", 0, 0, ""},
    {"RepeatMode", "RMSingleRepeat", R, "&Single Repeat", 0, 0, ""},
    {"RepeatMode", "RMRepeatAll", R, "&Repeat All", 0, 0, ""},
    {"Play", "", S, "", 0, 0, ""},
    {"Play", "FullScreen", N, "Full Screen", 2, 70, ""},
    {"Play", "", S, "", 0, 0, ""},
    {"Play", "IncreaseSpeed", N, "Increase Speed", 2, 38, ""},
    {"Play", "DecreaseSpeed", N, "Decrease Speed", 2, 40, ""},
    {"Play", "ResetSpeed", N, "Reset Speed", 2, 82, ""},
    {"Play", "", S, "", 0, 0, ""},
    {"Play", "AfterPlay", N, "After file playing finished", 2, 80, ""},
    {"AfterPlay", "Donothing", R, "Do nothing", 0, 0, ""},
    {"AfterPlay", "ExitKorvane", R, "Exit Korvane", 0, 0, ""},
    {"AfterPlay", "RestartTheComputer", R, "Restart the Computer", 0, 0, ""},
    {"AfterPlay", "ShutdownTheComputer", R, "Shutdown the Computer", 0, 0, ""},
    {"", "PlayList", N, "&Play&List", 0, 0, ""},
    {"PlayList", "AddVideoFile", N, "Add Media File(s)...", 0, 0, ""},
    {"PlayList", "Remove", N, "Remove", 0, 0, ""},
    {"PlayList", "RemoveAll", N, "Remove All", 0, 0, ""},
    {"PlayList", "", S, "", 0, 0, ""},
    {"PlayList", "Next", N, "Next", 0, 34, ""},
    {"PlayList", "Previous", N, "Previous", 0, 33, ""},
    {"", "Tools", N, "&Tools", 0, 0, ""},
    {"Tools", "Options", N, "Options", 0, 0, ""},
    {"", "Help", N, "&Help", 0, 0, ""},
    {"Help", "About", N, "&About", 0, 0, ""},
    {"Help", "HelpTopics", N, "&Help Topics", 0, 112, ""},
};

} // namespace

TEST(MainMenuTree, EveryRowInCreationOrder)
{
    const auto& items = MainMenuTree::items();
    ASSERT_EQ(items.size(), std::size(kExpected));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Row& want = kExpected[i];
        const MainMenuTree::Item& got = items[i];
        const std::string where = "row " + std::to_string(i) + " (" + want.key + ")";
        EXPECT_EQ(got.parent, QString::fromLatin1(want.parent)) << where;
        EXPECT_EQ(got.key, QString::fromLatin1(want.key)) << where;
        EXPECT_EQ(got.kind, want.kind) << where;
        EXPECT_EQ(got.caption, QString::fromLatin1(want.caption)) << where;
        EXPECT_EQ(got.modifiers, want.modifiers) << where;
        EXPECT_EQ(got.virtualKey, want.virtualKey) << where;
        const QString flags = QString::fromLatin1(want.flags);
        EXPECT_EQ(got.enabled, !flags.contains(u'x')) << where;
        EXPECT_EQ(got.visible, !flags.contains(u'h')) << where;
        EXPECT_EQ(got.checked, flags.contains(u'c')) << where;
    }
}

TEST(MainMenuTree, KeysAreUniqueAndParentsComeFirst)
{
    QSet<QString> seen;
    for (const MainMenuTree::Item& item : MainMenuTree::items()) {
        if (!item.parent.isEmpty()) {
            EXPECT_TRUE(seen.contains(item.parent)) << item.key.toStdString();
        }
        if (!item.key.isEmpty()) {
            EXPECT_FALSE(seen.contains(item.key)) << item.key.toStdString();
            seen.insert(item.key);
        }
    }
}

TEST(MainMenuTree, LookUpIsExactAndCaseSensitive)
{
    EXPECT_EQ(MainMenuTree::indexOfKey("File"), 0);
    EXPECT_EQ(MainMenuTree::indexOfKey("History10"), 21);
    EXPECT_EQ(MainMenuTree::indexOfKey("history10"), -1);
    EXPECT_EQ(MainMenuTree::indexOfKey("PlayPause "), -1);
    EXPECT_EQ(MainMenuTree::indexOfKey(""), -1) << "separators are not found by their empty key";
    EXPECT_TRUE(MainMenuTree::hasChildren("AfterPlay"));
    EXPECT_TRUE(MainMenuTree::hasChildren("OpenDVD"));
    EXPECT_FALSE(MainMenuTree::hasChildren("PlayPause"));
    EXPECT_FALSE(MainMenuTree::hasChildren(""));
}

TEST(MainMenuTree, ShortcutsMapToQtKeys)
{
    const struct
    {
        const char* key;
        QKeySequence shortcut;
    } cases[] = {
        {"OpenFile", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Exit", QKeySequence(Qt::CTRL | Qt::Key_X)},
        {"PlayPause", QKeySequence(Qt::CTRL | Qt::Key_P)},
        {"Stop", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"FullScreen", QKeySequence(Qt::CTRL | Qt::Key_F)},
        {"IncreaseSpeed", QKeySequence(Qt::CTRL | Qt::Key_Up)},
        {"DecreaseSpeed", QKeySequence(Qt::CTRL | Qt::Key_Down)},
        {"ResetSpeed", QKeySequence(Qt::CTRL | Qt::Key_R)},
        {"Next", QKeySequence(Qt::Key_PageDown)},
        {"Previous", QKeySequence(Qt::Key_PageUp)},
        {"HelpTopics", QKeySequence(Qt::Key_F1)},
        {"AfterPlay", QKeySequence()},
        {"About", QKeySequence()},
    };
    for (const auto& c : cases) {
        const MainMenuTree::Item* item = MainMenuTree::find(c.key);
        ASSERT_NE(item, nullptr) << c.key;
        EXPECT_EQ(MainMenuTree::shortcutOf(*item), c.shortcut) << c.key;
    }
    EXPECT_EQ(MainMenuTree::qtKeyOfVirtualKey(0), 0);
    EXPECT_EQ(MainMenuTree::qtKeyOfVirtualKey(13), 0);
}

TEST(MainMenuTree, NoTwoActionsShareAShortcut)
{
    QSet<QString> seen;
    for (const MainMenuTree::Item& item : MainMenuTree::items()) {
        const QKeySequence shortcut = MainMenuTree::shortcutOf(item);
        if (shortcut.isEmpty()) {
            continue;
        }
        const QString text = shortcut.toString();
        EXPECT_FALSE(seen.contains(text)) << text.toStdString() << " on " << item.key.toStdString();
        seen.insert(text);
    }
    EXPECT_EQ(seen.size(), 11);
}
