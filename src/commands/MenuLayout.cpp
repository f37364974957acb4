#include "commands/MenuLayout.h"

#include "commands/CommandTable.h"

#include <array>

namespace {

using Entry = MenuLayout::Entry;
using C = Command;
using M = MenuId;

Entry act(Command command)
{
    Entry entry;
    entry.command = command;
    return entry;
}

// A popup item with an action of its own.
Entry own(Command command, const char* name, const char* caption = "")
{
    Entry entry = act(command);
    entry.name = QString::fromLatin1(name);
    entry.caption = QString::fromLatin1(caption);
    return entry;
}

Entry sep()
{
    Entry entry;
    entry.type = Entry::Type::Separator;
    return entry;
}

Entry sub(MenuId menu, const char* caption, std::vector<Entry> children)
{
    Entry entry;
    entry.type = Entry::Type::Submenu;
    entry.menu = menu;
    entry.caption = QString::fromLatin1(caption);
    entry.children = std::move(children);
    return entry;
}

std::vector<Entry> range(Command first, int count)
{
    std::vector<Entry> entries;
    for (int i = 0; i < count; ++i) {
        entries.push_back(act(static_cast<Command>(static_cast<int>(first) + i)));
    }
    return entries;
}

// Popup items of their own for consecutive commands, named from the list.
std::vector<Entry> ownRange(Command first, std::initializer_list<const char*> names)
{
    std::vector<Entry> entries;
    int i = 0;
    for (const char* name : names) {
        entries.push_back(own(static_cast<Command>(static_cast<int>(first) + i++), name));
    }
    return entries;
}

std::vector<Entry> subtitleItems()
{
    std::vector<Entry> items{act(C::SubtitleOff)};
    for (Entry& slot : range(C::Subtitle0, CommandTable::TrackSlots)) {
        items.push_back(std::move(slot));
    }
    items.push_back(sep());
    items.push_back(act(C::OpenSubtitle));
    return items;
}

std::vector<Entry> buildMenuBar()
{
    return {
        sub(M::File, "&File",
            {sub(M::Open, "&Open",
                 {act(C::OpenFile), act(C::OpenFolder),
                  sub(M::OpenDvd, "Open DVD", range(C::DvdDrive0, 6))}),
             sub(M::Recent, "Recently Played Files", range(C::History0, 11)), sep(), act(C::Exit)}),
        sub(M::Play, "&Play",
            {act(C::PlayPause), act(C::Stop), sep(),
             sub(M::PlayMode, "Play Mode", range(C::PlayModeNormal, 3)),
             sub(M::RepeatMode, "Repeat Mode", range(C::RepeatNone, 3)), sep(), act(C::FullScreen),
             sep(), act(C::IncreaseSpeed), act(C::DecreaseSpeed), act(C::ResetSpeed), sep(),
             sub(M::AfterPlay, "After file playing finished", range(C::AfterNothing, 4)),
             // Added after the items the popups and the keys of other surfaces know by place.
             sep(), sub(M::Audio, "Audio", {act(C::VolumeUp), act(C::VolumeDown), act(C::Mute)}),
             sub(M::AudioTrack, "Audio Track", range(C::AudioTrack0, CommandTable::TrackSlots)),
             sub(M::Subtitle, "Subtitle", subtitleItems()),
             sub(M::Seek, "Seek", range(C::SeekBack, 4)), act(C::TakeSnapshot)}),
        sub(M::PlayList, "&Play&List",
            {act(C::AddFiles), act(C::OpenFolder), act(C::Remove), act(C::RemoveAll), sep(),
             act(C::Next), act(C::Previous)}),
        sub(M::Tools, "&Tools", {act(C::Options)}),
        sub(M::Help, "&Help", {act(C::About), act(C::HelpTopics)}),
    };
}

void collect(const Entry& menu, std::vector<Command>& out)
{
    for (const Entry& child : menu.children) {
        if (child.type == Entry::Type::Action) {
            out.push_back(child.command);
        } else if (child.type == Entry::Type::Submenu) {
            collect(child, out);
        }
    }
}

} // namespace

const std::vector<Entry>& MenuLayout::menuBar()
{
    static const std::vector<Entry> bar = buildMenuBar();
    return bar;
}

const Entry& MenuLayout::fileMenu()
{
    // The further drives join the first one when there are any.
    static const Entry menu =
        sub(M::PopupFile, "&File",
            {sub(M::PopupOpen, "&Open",
                 {own(C::OpenFile, "mnuOpenFile", "Open Video File..."),
                  own(C::OpenFolder, "mnuOpenFolder"),
                  sub(M::PopupOpenDvd, "Open DVD",
                      ownRange(C::DvdDrive0, {"dvdsList(0)", "DVDList1", "DVDList2", "DVDList3",
                                              "DVDList4", "DVDList5"}))}),
             sub(M::PopupRecent, "&Recently Played files", range(C::History0, 11)), sep(),
             own(C::Exit, "mnuExit")});
    return menu;
}

const Entry& MenuLayout::playMenu()
{
    static const Entry menu = sub(
        M::PopupPlay, "&Play",
        {own(C::PlayPause, "mnuplay"), own(C::Stop, "mnustop"), sep(),
         sub(M::PopupPlayMode, "Play Mode",
             ownRange(C::PlayModeNormal, {"mnuPBNormal", "mnuPBCont", "mnuPBShuffle"})),
         sub(M::PopupRepeatMode, "Repeat Mode",
             ownRange(C::RepeatNone, {"mnuRMNoRepeat", "mnuRMSingleRepeat", "mnuRMRepeatAll"})),
         sep(), own(C::FullScreen, "mnufullscreen"), sep(), own(C::IncreaseSpeed, "mnuincspeed"),
         own(C::DecreaseSpeed, "mnudecSpeed"), own(C::ResetSpeed, "mnuresSpeed"), sep(),
         sub(M::PopupAfterPlay, "After playing finish",
             ownRange(C::AfterNothing, {"mnuAfterPlaying(0)", "mnuAfterPlaying(1)",
                                        "mnuAfterPlaying(2)", "mnuAfterPlaying(3)"})),
         // In full screen this popup is the only menu, so the tracks are chosen here too.
         sep(),
         sub(M::PopupAudioTrack, "Audio Track", range(C::AudioTrack0, CommandTable::TrackSlots)),
         sub(M::PopupSubtitle, "Subtitle", subtitleItems()), act(C::TakeSnapshot)});
    return menu;
}

const Entry& MenuLayout::playListMenu()
{
    static const Entry menu =
        sub(M::PopupPlayList, "Play &List",
            {own(C::AddFiles, "mnuPlayListAdd"), own(C::OpenFolder, "mnuOpenFolder"),
             own(C::Remove, "mnuPlayListRemove"), own(C::RemoveAll, "mnuPlayListRemoveAll"), sep(),
             own(C::Next, "mnuNext"), own(C::Previous, "mnuPrev")});
    return menu;
}

QString MenuLayout::objectName(MenuId menu)
{
    static const std::array<const char*, menuIdCount> names = {
        "File",
        "OpenMenu",
        "OpenDVD",
        "RecentMenu",
        "Play",
        "PlayMode",
        "RepeatMode",
        "AfterPlay",
        "AudioMenu",
        "AudioTrack",
        "SubtitleMenu",
        "SeekMenu",
        "PlayList",
        "Tools",
        "Help",
        "mnuFileMenu",
        "mnuOpenMenu",
        "mnuOpenDVD",
        "mnuRecentMenu",
        "mnuPlayBackMenu",
        "mnuPlayModeMenu",
        "mnuRepeatMode",
        "mnuAfterMenu",
        "mnuAudioTrack",
        "mnuSubtitle",
        "mnuPlayListmenu",
    };
    const int index = static_cast<int>(menu);
    return index >= 0 && index < menuIdCount
               ? QString::fromLatin1(names[static_cast<std::size_t>(index)])
               : QString();
}

std::vector<Command> MenuLayout::commandsOf(const Entry& menu)
{
    std::vector<Command> commands;
    collect(menu, commands);
    return commands;
}
