#include "commands/ClassicMenus.h"

#include <algorithm>

namespace {

using Item = ClassicMenus::Item;

Item item(const char* parent, const QString& name, const QString& caption,
          MenuCommand command = MenuCommand::None, int argument = -1, const char* shortcut = "")
{
    Item row;
    row.parent = QString::fromLatin1(parent);
    row.name = name;
    row.caption = caption;
    row.shortcut = QString::fromLatin1(shortcut);
    row.dispatch = MenuDispatch{command, argument, false};
    return row;
}

Item item(const char* parent, const char* name, const char* caption,
          MenuCommand command = MenuCommand::None, int argument = -1, const char* shortcut = "")
{
    return item(parent, QString::fromLatin1(name), QString::fromLatin1(caption), command, argument,
                shortcut);
}

QString padded(const char* text, int blanks, const char* keyName)
{
    return QString::fromLatin1(text) + QString(blanks, u' ') + QString::fromLatin1(keyName);
}

std::vector<Item> buildItems()
{
    using C = MenuCommand;
    std::vector<Item> rows;
    rows.push_back(item("", "mnuFileMenu", "&File"));
    rows.push_back(item("mnuFileMenu", "mnuOpenMenu", "&Open"));
    rows.push_back(
        item("mnuOpenMenu", "mnuOpenFile", "Open Video File...", C::OpenFile, -1, "Ctrl+O"));
    rows.push_back(item("mnuOpenMenu", "mnuOpenDVD", "Open DVD"));
    rows.push_back(
        item("mnuOpenDVD", "dvdsList(0)", "<No DVD drives were found>", C::PlayDrive, 0));
    rows.push_back(item("mnuFileMenu", "mnuRecentMenu", "&Recently Played files"));
    Item recent = item("mnuRecentMenu", "mnuRecent(0)", "<No History>", C::History, 0);
    recent.enabled = false;
    rows.push_back(recent);
    rows.push_back(item("mnuFileMenu", "SepFile1", "-"));
    rows.push_back(item("mnuFileMenu", "mnuExit", "E&xit", C::Exit));

    rows.push_back(item("", "mnuPlayBackMenu", "&Play"));
    rows.push_back(item("mnuPlayBackMenu", "mnuplay", "Play/Pause", C::PlayPause, -1, "Ctrl+P"));
    rows.push_back(item("mnuPlayBackMenu", "mnustop", "Stop", C::Stop, -1, "Ctrl+S"));
    rows.push_back(item("mnuPlayBackMenu", "sepplay1", "-"));
    rows.push_back(item("mnuPlayBackMenu", "mnuPlayModeMenu", "Play Mode"));
    rows.push_back(item("mnuPlayModeMenu", "mnuPBNormal", "&Normal", C::PlayMode, 0));
    rows.push_back(item("mnuPlayModeMenu", "mnuPBCont", "&Continuous", C::PlayMode, 1));
    rows.push_back(item("mnuPlayModeMenu", "mnuPBShuffle", "&Shuffle", C::PlayMode, 2));
    rows.push_back(item("mnuPlayBackMenu", "mnuRepeatMode", "Repeat Mode"));
    rows.push_back(item("mnuRepeatMode", "mnuRMNoRepeat", "&No Repeat", C::RepeatMode, 0));
    rows.push_back(item("mnuRepeatMode", "mnuRMSingleRepeat", "&Single Repeat", C::RepeatMode, 1));
    rows.push_back(item("mnuRepeatMode", "mnuRMRepeatAll", "&Repeat All", C::RepeatMode, 2));
    rows.push_back(item("mnuPlayBackMenu", "sepplay2", "-"));
    rows.push_back(
        item("mnuPlayBackMenu", "mnufullscreen", "Full Screen", C::FullScreen, -1, "Ctrl+F"));
    rows.push_back(item("mnuPlayBackMenu", "sepplay3", "-"));
    // The key names in these two captions are text; the items take the main menu's commands.
    rows.push_back(item("mnuPlayBackMenu", QStringLiteral("mnuincspeed"),
                        padded("Increase Speed", 36, "Ctrl+Up"), C::IncreaseSpeed));
    rows.push_back(item("mnuPlayBackMenu", QStringLiteral("mnudecSpeed"),
                        padded("Decrease Speed", 35, "Ctrl+Down"), C::DecreaseSpeed));
    rows.push_back(
        item("mnuPlayBackMenu", "mnuresSpeed", "Reset Speed", C::ResetSpeed, -1, "Ctrl+R"));
    rows.push_back(item("mnuPlayBackMenu", "plsep4", "-"));
    rows.push_back(item("mnuPlayBackMenu", "mnuAfterMenu", "After playing finish"));
    const char* const after[] = {"Do nothing", "Exit Korvane", "Restart the Computer",
                                 "Shutdown the Computer"};
    for (int i = 0; i < 4; ++i) {
        rows.push_back(item("mnuAfterMenu", QStringLiteral("mnuAfterPlaying(%1)").arg(i),
                            QString::fromLatin1(after[i]), C::AfterPlay, i));
    }

    rows.push_back(item("", "mnuPlayListmenu", "Play &List"));
    rows.push_back(
        item("mnuPlayListmenu", "mnuPlayListAdd", "Add Media File(s)...", C::AddVideoFile));
    rows.push_back(item("mnuPlayListmenu", "mnuPlayListRemove", "Remove", C::Remove));
    rows.push_back(item("mnuPlayListmenu", "mnuPlayListRemoveAll", "Remove All", C::RemoveAll));
    rows.push_back(item("mnuPlayListmenu", "plsep", "-"));
    rows.push_back(
        item("mnuPlayListmenu", QStringLiteral("mnuNext"), padded("Next", 21, "PgDown"), C::Next));
    rows.push_back(item("mnuPlayListmenu", QStringLiteral("mnuPrev"),
                        padded("Previous", 15, "PgUp"), C::Previous));

    rows.push_back(item("", "mnuToolsMenu", "&Tools"));
    rows.push_back(item("mnuToolsMenu", "mnuSettings", "&Options...", C::Options));
    rows.push_back(item("", "mnuHelpMenu", "&Help"));
    rows.push_back(item("mnuHelpMenu", "mnuAbout", "&About", C::About));
    rows.push_back(item("mnuHelpMenu", "mnuHelp", "Help Topics", C::HelpTopics, -1, "F1"));
    return rows;
}

template <std::size_t N> void checkOnly(std::array<bool, N>& group, int index)
{
    if (index < 0 || index >= static_cast<int>(N)) {
        return;
    }
    group.fill(false);
    group[static_cast<std::size_t>(index)] = true;
}

template <std::size_t N> void checkAlso(std::array<bool, N>& group, int index)
{
    if (index >= 0 && index < static_cast<int>(N)) {
        group[static_cast<std::size_t>(index)] = true;
    }
}

} // namespace

const std::vector<ClassicMenus::Item>& ClassicMenus::items()
{
    static const std::vector<Item> rows = buildItems();
    return rows;
}

const ClassicMenus::Item* ClassicMenus::find(const QString& name)
{
    const std::vector<Item>& rows = items();
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&name](const Item& row) { return row.name == name; });
    return found == rows.end() ? nullptr : &*found;
}

bool ClassicMenus::hasChildren(const QString& name)
{
    const std::vector<Item>& rows = items();
    return std::any_of(rows.begin(), rows.end(),
                       [&name](const Item& row) { return row.parent == name; });
}

const std::array<QString, 5>& ClassicMenus::mediaItemNames()
{
    static const std::array<QString, 5> names = {
        QStringLiteral("mnufullscreen"), QStringLiteral("mnuincspeed"),
        QStringLiteral("mnudecSpeed"), QStringLiteral("mnuresSpeed"), QStringLiteral("mnustop")};
    return names;
}

ClassicMenus::PlayMenuState ClassicMenus::playMenuOpening(PlayMenuState state, int playMode,
                                                          int repeatMode, bool mediaActive)
{
    checkAlso(state.playMode, playMode);
    checkAlso(state.repeatMode, repeatMode);
    state.mediaItemsEnabled = mediaActive;
    return state;
}

ClassicMenus::PlayMenuState ClassicMenus::playModeChosen(PlayMenuState state, int mode)
{
    checkOnly(state.playMode, mode);
    return state;
}

ClassicMenus::PlayMenuState ClassicMenus::repeatModeChosen(PlayMenuState state, int mode)
{
    checkOnly(state.repeatMode, mode);
    return state;
}

ClassicMenus::PlayMenuState ClassicMenus::afterMenuOpening(PlayMenuState state, int action)
{
    state.afterPlay.fill(false);
    checkAlso(state.afterPlay, action);
    return state;
}

ClassicMenus::PlayMenuState ClassicMenus::afterPlayChosen(PlayMenuState state, int action)
{
    checkOnly(state.afterPlay, action);
    return state;
}
