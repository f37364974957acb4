#include "commands/MenuLayout.h"

#include "commands/CommandTable.h"

namespace {

using Entry = MenuLayout::Entry;
using C = Command;

Entry act(Command command)
{
    Entry entry;
    entry.command = command;
    return entry;
}

Entry sep()
{
    Entry entry;
    entry.type = Entry::Type::Separator;
    return entry;
}

Entry sub(const char* name, const char* caption, std::vector<Entry> children)
{
    Entry entry;
    entry.type = Entry::Type::Submenu;
    entry.name = QString::fromLatin1(name);
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
        sub("File", "&File",
            {sub("OpenMenu", "&Open",
                 {act(C::OpenFile), act(C::OpenFolder),
                  sub("OpenDVD", "Open DVD", range(C::DvdDrive0, 6))}),
             sub("RecentMenu", "Recently Played Files", range(C::History0, 11)), sep(),
             act(C::Exit)}),
        sub("Play", "&Play",
            {act(C::PlayPause), act(C::Stop), sep(),
             sub("PlayMode", "Play Mode", range(C::PlayModeNormal, 3)),
             sub("RepeatMode", "Repeat Mode", range(C::RepeatNone, 3)), sep(), act(C::FullScreen),
             sep(), act(C::IncreaseSpeed), act(C::DecreaseSpeed), act(C::ResetSpeed), sep(),
             sub("AfterPlay", "After file playing finished", range(C::AfterNothing, 4)),
             // Added after the items the popups and the keys of other surfaces know by place.
             sep(), sub("AudioMenu", "Audio", {act(C::VolumeUp), act(C::VolumeDown), act(C::Mute)}),
             sub("AudioTrack", "Audio Track", range(C::AudioTrack0, CommandTable::TrackSlots)),
             sub("SubtitleMenu", "Subtitle", subtitleItems()),
             sub("SeekMenu", "Seek", range(C::SeekBack, 4)), act(C::TakeSnapshot)}),
        sub("PlayList", "&Play&List",
            {act(C::AddFiles), act(C::OpenFolder), act(C::Remove), act(C::RemoveAll), sep(),
             act(C::Next), act(C::Previous)}),
        sub("Tools", "&Tools", {act(C::Options)}),
        sub("Help", "&Help", {act(C::About), act(C::HelpTopics)}),
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
        sub("mnuFileMenu", "&File",
            {sub("mnuOpenMenu", "&Open",
                 {act(C::OpenFile), act(C::OpenFolder),
                  sub("mnuOpenDVD", "Open DVD", range(C::DvdDrive0, 6))}),
             sub("mnuRecentMenu", "&Recently Played files", range(C::History0, 11)), sep(),
             act(C::Exit)});
    return menu;
}

const Entry& MenuLayout::playMenu()
{
    static const Entry menu = sub(
        "mnuPlayBackMenu", "&Play",
        {act(C::PlayPause), act(C::Stop), sep(),
         sub("mnuPlayModeMenu", "Play Mode", range(C::PlayModeNormal, 3)),
         sub("mnuRepeatMode", "Repeat Mode", range(C::RepeatNone, 3)), sep(), act(C::FullScreen),
         sep(), act(C::IncreaseSpeed), act(C::DecreaseSpeed), act(C::ResetSpeed), sep(),
         sub("mnuAfterMenu", "After playing finish", range(C::AfterNothing, 4)),
         // In full screen this popup is the only menu, so the tracks are chosen here too.
         sep(),
         sub("mnuAudioTrack", "Audio Track", range(C::AudioTrack0, CommandTable::TrackSlots)),
         sub("mnuSubtitle", "Subtitle", subtitleItems()), act(C::TakeSnapshot)});
    return menu;
}

const Entry& MenuLayout::playListMenu()
{
    static const Entry menu = sub("mnuPlayListmenu", "Play &List",
                                  {act(C::AddFiles), act(C::OpenFolder), act(C::Remove),
                                   act(C::RemoveAll), sep(), act(C::Next), act(C::Previous)});
    return menu;
}

std::vector<Command> MenuLayout::commandsOf(const Entry& menu)
{
    std::vector<Command> commands;
    collect(menu, commands);
    return commands;
}
