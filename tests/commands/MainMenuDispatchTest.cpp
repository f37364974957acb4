#include "commands/MainMenuDispatch.h"

#include "QtPrinters.h"
#include "commands/MainMenuTree.h"

#include <gtest/gtest.h>

namespace {

using C = MenuCommand;

struct Case
{
    const char* key;
    MenuCommand command;
    int argument;
};

const Case kCases[] = {
    {"OpenFile", C::OpenFile, -1},
    {"Exit", C::Exit, -1},
    {"PlayPause", C::PlayPause, -1},
    {"Stop", C::Stop, -1},
    {"PMNormal", C::PlayMode, 0},
    {"PMContinuous", C::PlayMode, 1},
    {"PMShuffle", C::PlayMode, 2},
    {"RMNoRepeat", C::RepeatMode, 0},
    {"RMSingleRepeat", C::RepeatMode, 1},
    {"RMRepeatAll", C::RepeatMode, 2},
    {"FullScreen", C::FullScreen, -1},
    {"IncreaseSpeed", C::IncreaseSpeed, -1},
    {"DecreaseSpeed", C::DecreaseSpeed, -1},
    {"ResetSpeed", C::ResetSpeed, -1},
    {"Donothing", C::AfterPlay, 0},
    {"ExitKorvane", C::AfterPlay, 1},
    {"RestartTheComputer", C::AfterPlay, 2},
    {"ShutdownTheComputer", C::AfterPlay, 3},
    {"AddVideoFile", C::AddVideoFile, -1},
    {"Remove", C::Remove, -1},
    {"RemoveAll", C::RemoveAll, -1},
    {"Next", C::Next, -1},
    {"Previous", C::Previous, -1},
    {"Options", C::Options, -1},
    {"About", C::About, -1},
    {"HelpTopics", C::HelpTopics, -1},
    {"History0", C::History, 0},
    {"History3", C::History, 3},
    {"History10", C::History, 10},
    // Matched by a row that does nothing, or by none.
    {"DVDList", C::None, -1},
    {"History", C::None, -1},
    {"DVDList0", C::None, -1},
    {"DVDList3", C::None, -1},
    {"History11", C::None, -1},
    {"history1", C::None, -1},
    {"openfile", C::None, -1},
    {"Stop ", C::None, -1},
    {"", C::None, -1},
    {"File", C::None, -1},
    {"AfterPlay", C::None, -1},
};

} // namespace

TEST(MainMenuDispatch, EveryKeyFindsItsCommand)
{
    for (const Case& c : kCases) {
        const MenuDispatch got = MainMenuDispatch::dispatchKey(QString::fromLatin1(c.key));
        EXPECT_EQ(got.command, c.command) << c.key;
        EXPECT_EQ(got.argument, c.argument) << c.key;
        EXPECT_TRUE(got.fromMainMenu) << c.key;
    }
}

TEST(MainMenuDispatch, RowsInTableOrder)
{
    const char* const firstKeys[] = {
        "OpenFile",  "DVDList",      "History",    "Exit",          "PlayPause",     "Stop",
        "PMNormal",  "RMNoRepeat",   "FullScreen", "IncreaseSpeed", "DecreaseSpeed", "ResetSpeed",
        "Donothing", "AddVideoFile", "Remove",     "RemoveAll",     "Next",          "Previous",
        "Options",   "About",        "HelpTopics", "History0",
    };
    const auto& table = MainMenuDispatch::table();
    ASSERT_EQ(table.size(), std::size(firstKeys));
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].keys.first(), QString::fromLatin1(firstKeys[i])) << "row " << i;
        EXPECT_EQ(MainMenuDispatch::rowOf(table[i].keys.first()), static_cast<int>(i));
    }
}

TEST(MainMenuDispatch, EveryLeafOfTheTreeIsDispatchedOrDeliberatelyIdle)
{
    // Only the DVD drive items are left without a command in the tree's leaves.
    for (const MainMenuTree::Item& item : MainMenuTree::items()) {
        if (item.key.isEmpty() || MainMenuTree::hasChildren(item.key)) {
            continue;
        }
        const MenuDispatch got = MainMenuDispatch::dispatchKey(item.key);
        if (item.key.startsWith(QLatin1String("DVDList"))) {
            EXPECT_EQ(got.command, C::None) << item.key.toStdString();
        } else {
            EXPECT_NE(got.command, C::None) << item.key.toStdString();
        }
    }
}
