#include "commands/ClassicMenus.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using C = MenuCommand;
using State = ClassicMenus::PlayMenuState;

struct Row
{
    const char* parent;
    const char* name;
    QString caption;
    const char* shortcut;
    MenuCommand command;
    int argument;
};

QString text(const char* s)
{
    return QString::fromLatin1(s);
}

std::vector<Row> expectedRows()
{
    return {
        {"", "mnuFileMenu", text("&File"), "", C::None, -1},
        {"mnuFileMenu", "mnuOpenMenu", text("&Open"), "", C::None, -1},
        {"mnuOpenMenu", "mnuOpenFile", text("Open Video File..."), "Ctrl+O", C::OpenFile, -1},
        {"mnuOpenMenu", "mnuOpenDVD", text("Open DVD"), "", C::None, -1},
        {"mnuOpenDVD", "dvdsList(0)", text("<No DVD drives were found>"), "", C::PlayDrive, 0},
        {"mnuFileMenu", "mnuRecentMenu", text("&Recently Played files"), "", C::None, -1},
        {"mnuRecentMenu", "mnuRecent(0)", text("<No History>"), "", C::History, 0},
        {"mnuFileMenu", "SepFile1", text("-"), "", C::None, -1},
        {"mnuFileMenu", "mnuExit", text("E&xit"), "", C::Exit, -1},
        {"", "mnuPlayBackMenu", text("&Play"), "", C::None, -1},
        {"mnuPlayBackMenu", "mnuplay", text("Play/Pause"), "Ctrl+P", C::PlayPause, -1},
        {"mnuPlayBackMenu", "mnustop", text("Stop"), "Ctrl+S", C::Stop, -1},
        {"mnuPlayBackMenu", "sepplay1", text("-"), "", C::None, -1},
        {"mnuPlayBackMenu", "mnuPlayModeMenu", text("Play Mode"), "", C::None, -1},
        {"mnuPlayModeMenu", "mnuPBNormal", text("&Normal"), "", C::PlayMode, 0},
        {"mnuPlayModeMenu", "mnuPBCont", text("&Continuous"), "", C::PlayMode, 1},
        {"mnuPlayModeMenu", "mnuPBShuffle", text("&Shuffle"), "", C::PlayMode, 2},
        {"mnuPlayBackMenu", "mnuRepeatMode", text("Repeat Mode"), "", C::None, -1},
        {"mnuRepeatMode", "mnuRMNoRepeat", text("&No Repeat"), "", C::RepeatMode, 0},
        {"mnuRepeatMode", "mnuRMSingleRepeat", text("&Single Repeat"), "", C::RepeatMode, 1},
        {"mnuRepeatMode", "mnuRMRepeatAll", text("&Repeat All"), "", C::RepeatMode, 2},
        {"mnuPlayBackMenu", "sepplay2", text("-"), "", C::None, -1},
        {"mnuPlayBackMenu", "mnufullscreen", text("Full Screen"), "Ctrl+F", C::FullScreen, -1},
        {"mnuPlayBackMenu", "sepplay3", text("-"), "", C::None, -1},
        {"mnuPlayBackMenu", "mnuincspeed",
         text("Increase Speed") + QString(36, u' ') + text("Ctrl+Up"), "", C::IncreaseSpeed, -1},
        {"mnuPlayBackMenu", "mnudecSpeed",
         text("Decrease Speed") + QString(35, u' ') + text("Ctrl+Down"), "", C::DecreaseSpeed, -1},
        {"mnuPlayBackMenu", "mnuresSpeed", text("Reset Speed"), "Ctrl+R", C::ResetSpeed, -1},
        {"mnuPlayBackMenu", "plsep4", text("-"), "", C::None, -1},
        {"mnuPlayBackMenu", "mnuAfterMenu", text("After playing finish"), "", C::None, -1},
        {"mnuAfterMenu", "mnuAfterPlaying(0)", text("Do nothing"), "", C::AfterPlay, 0},
        {"mnuAfterMenu", "mnuAfterPlaying(1)", text("Exit Korvane"), "", C::AfterPlay, 1},
        {"mnuAfterMenu", "mnuAfterPlaying(2)", text("Restart the Computer"), "", C::AfterPlay, 2},
        {"mnuAfterMenu", "mnuAfterPlaying(3)", text("Shutdown the Computer"), "", C::AfterPlay, 3},
        {"", "mnuPlayListmenu", text("Play &List"), "", C::None, -1},
        {"mnuPlayListmenu", "mnuPlayListAdd", text("Add Media File(s)..."), "", C::AddVideoFile,
         -1},
        {"mnuPlayListmenu", "mnuPlayListRemove", text("Remove"), "", C::Remove, -1},
        {"mnuPlayListmenu", "mnuPlayListRemoveAll", text("Remove All"), "", C::RemoveAll, -1},
        {"mnuPlayListmenu", "plsep", text("-"), "", C::None, -1},
        {"mnuPlayListmenu", "mnuNext", text("Next") + QString(21, u' ') + text("PgDown"), "",
         C::Next, -1},
        {"mnuPlayListmenu", "mnuPrev", text("Previous") + QString(15, u' ') + text("PgUp"), "",
         C::Previous, -1},
        {"", "mnuToolsMenu", text("&Tools"), "", C::None, -1},
        {"mnuToolsMenu", "mnuSettings", text("&Options..."), "", C::Options, -1},
        {"", "mnuHelpMenu", text("&Help"), "", C::None, -1},
        {"mnuHelpMenu", "mnuAbout", text("&About"), "", C::About, -1},
        {"mnuHelpMenu", "mnuHelp", text("Help Topics"), "F1", C::HelpTopics, -1},
    };
}

std::string checks(const State& s)
{
    std::string out;
    for (bool b : s.playMode)
        out += b ? '1' : '0';
    out += '|';
    for (bool b : s.repeatMode)
        out += b ? '1' : '0';
    out += '|';
    for (bool b : s.afterPlay)
        out += b ? '1' : '0';
    return out;
}

} // namespace

TEST(ClassicMenus, EveryItemAsStored)
{
    const std::vector<Row> rows = expectedRows();
    const auto& items = ClassicMenus::items();
    ASSERT_EQ(items.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string where = rows[i].name;
        EXPECT_EQ(items[i].parent, text(rows[i].parent)) << where;
        EXPECT_EQ(items[i].name, text(rows[i].name)) << where;
        EXPECT_EQ(items[i].caption, rows[i].caption) << where;
        EXPECT_EQ(items[i].shortcut, text(rows[i].shortcut)) << where;
        EXPECT_EQ(items[i].dispatch.command, rows[i].command) << where;
        EXPECT_EQ(items[i].dispatch.argument, rows[i].argument) << where;
        EXPECT_FALSE(items[i].dispatch.fromMainMenu) << where;
        EXPECT_EQ(items[i].enabled, rows[i].name != std::string("mnuRecent(0)")) << where;
    }
}

TEST(ClassicMenus, LookUpByControlName)
{
    EXPECT_TRUE(ClassicMenus::find("sepplay1")->separator());
    EXPECT_FALSE(ClassicMenus::find("mnuplay")->separator());
    EXPECT_EQ(ClassicMenus::find("mnuPlay"), nullptr);
    EXPECT_TRUE(ClassicMenus::hasChildren("mnuAfterMenu"));
    EXPECT_FALSE(ClassicMenus::hasChildren("mnuplay"));
}

TEST(ClassicMenus, CheckRulesKeepToTheirGroup)
{
    using CM = ClassicMenus;
    const struct
    {
        const char* name;
        State state;
        const char* expected;
    } cases[] = {
        {"fresh", State{}, "000|000|0000"},
        {"opening checks the current modes", CM::playMenuOpening({}, 2, 1, true), "001|010|0000"},
        {"opening does not uncheck a stale mark",
         CM::playMenuOpening(CM::playMenuOpening({}, 0, 0, true), 2, 1, true), "101|110|0000"},
        {"opening ignores unknown modes", CM::playMenuOpening({}, 5, -1, true), "000|000|0000"},
        {"a mode choice checks only its own",
         CM::playModeChosen(CM::playMenuOpening({}, 0, 0, true), 2), "001|100|0000"},
        {"a repeat choice checks only its own",
         CM::repeatModeChosen(CM::playMenuOpening({}, 0, 0, true), 2), "100|001|0000"},
        {"after menu shows the current action", CM::afterMenuOpening(CM::afterPlayChosen({}, 1), 3),
         "000|000|0001"},
        {"after choice", CM::afterPlayChosen(CM::afterMenuOpening({}, 0), 2), "000|000|0010"},
        {"after opening with an unknown action clears",
         CM::afterMenuOpening(CM::afterPlayChosen({}, 1), 9), "000|000|0000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(checks(c.state), c.expected) << c.name;
    }
}

TEST(ClassicMenus, OpeningFollowsTheMediaState)
{
    EXPECT_TRUE(ClassicMenus::playMenuOpening({}, 0, 0, true).mediaItemsEnabled);
    EXPECT_FALSE(ClassicMenus::playMenuOpening({}, 0, 0, false).mediaItemsEnabled);
    EXPECT_FALSE(ClassicMenus::playListItemsEnabled(0));
    EXPECT_TRUE(ClassicMenus::playListItemsEnabled(1));
    for (const QString& name : ClassicMenus::mediaItemNames()) {
        EXPECT_NE(ClassicMenus::find(name), nullptr) << name.toStdString();
    }
}
