#include "commands/CommandTable.h"

#include <algorithm>

namespace {

using Entry = CommandTable::Entry;

Entry row(Command command, const char* key, const char* caption, QKeySequence shortcut = {})
{
    Entry entry;
    entry.command = command;
    entry.key = QString::fromLatin1(key);
    entry.caption = QString::fromLatin1(caption);
    entry.shortcut = std::move(shortcut);
    return entry;
}

Entry radio(Command command, CommandGroup group, const char* key, const char* caption)
{
    Entry entry = row(command, key, caption);
    entry.kind = CommandKind::Radio;
    entry.group = group;
    return entry;
}

// Slots other parts fill in later: hidden until they hold something.
Entry slot(Command command, const QString& key)
{
    Entry entry;
    entry.command = command;
    entry.key = key;
    entry.visible = false;
    return entry;
}

QKeySequence keys(Qt::KeyboardModifiers modifiers, Qt::Key key)
{
    return QKeySequence(QKeyCombination(modifiers, key));
}

Entry trackSlot(Command command, const QString& key)
{
    Entry entry = slot(command, key);
    entry.kind = CommandKind::Check;
    return entry;
}

// The keys users of other players expect, and the track and snapshot items; Space, F, F11 and M
// join the commands that already had a key or a button.
void addControlRows(std::vector<Entry>& rows)
{
    using C = Command;
    constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
    constexpr Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    for (Entry& entry : rows) {
        if (entry.command == C::PlayPause) {
            entry.moreShortcuts = {keys(none, Qt::Key_Space)};
        } else if (entry.command == C::FullScreen) {
            entry.moreShortcuts = {keys(none, Qt::Key_F), keys(none, Qt::Key_F11)};
        } else if (entry.command == C::Mute) {
            entry.shortcut = keys(none, Qt::Key_M);
        }
    }
    rows.push_back(row(C::SeekBack, "SeekBack", "Back 5 Seconds", keys(none, Qt::Key_Left)));
    rows.push_back(
        row(C::SeekForward, "SeekForward", "Forward 5 Seconds", keys(none, Qt::Key_Right)));
    rows.push_back(
        row(C::SeekBackLong, "SeekBackLong", "Back 1 Minute", keys(shift, Qt::Key_Left)));
    rows.push_back(
        row(C::SeekForwardLong, "SeekForwardLong", "Forward 1 Minute", keys(shift, Qt::Key_Right)));
    rows.push_back(row(C::VolumeUp, "VolumeUp", "Volume Up", keys(none, Qt::Key_Up)));
    rows.push_back(row(C::VolumeDown, "VolumeDown", "Volume Down", keys(none, Qt::Key_Down)));
    for (int i = 0; i < CommandTable::TrackSlots; ++i) {
        rows.push_back(
            trackSlot(CommandTable::audioTrackSlot(i), QStringLiteral("AudioTrack%1").arg(i)));
    }
    Entry off = row(C::SubtitleOff, "SubtitleOff", "Off");
    off.kind = CommandKind::Check;
    rows.push_back(off);
    for (int i = 0; i < CommandTable::TrackSlots; ++i) {
        rows.push_back(
            trackSlot(CommandTable::subtitleSlot(i), QStringLiteral("Subtitle%1").arg(i)));
    }
    rows.push_back(row(C::OpenSubtitle, "OpenSubtitle", "Open Subtitle File..."));
    rows.push_back(row(C::TakeSnapshot, "TakeSnapshot", "Take Snapshot", keys(shift, Qt::Key_S)));
}

std::vector<Entry> buildEntries()
{
    using C = Command;
    constexpr Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    constexpr Qt::KeyboardModifiers none = Qt::NoModifier;
    std::vector<Entry> rows;
    Entry open = row(C::OpenFile, "OpenFile", "Open Media File...", keys(ctrl, Qt::Key_O));
    rows.push_back(open);
    Entry noDrive = row(C::DvdDrive0, "DVDList0", "<No DVD drives were found>");
    noDrive.enabled = false;
    rows.push_back(noDrive);
    for (int i = 1; i <= 5; ++i) {
        rows.push_back(slot(CommandTable::dvdDrive(i), QStringLiteral("DVDList%1").arg(i)));
    }
    Entry noHistory = row(C::History0, "History0", "<No History>");
    noHistory.enabled = false;
    rows.push_back(noHistory);
    for (int i = 1; i <= 10; ++i) {
        rows.push_back(slot(CommandTable::historySlot(i), QStringLiteral("History%1").arg(i)));
    }
    rows.push_back(row(C::Exit, "Exit", "E&xit", keys(ctrl, Qt::Key_X)));
    rows.push_back(row(C::PlayPause, "PlayPause", "Play/Pause", keys(ctrl, Qt::Key_P)));
    rows.push_back(row(C::Stop, "Stop", "Stop", keys(ctrl, Qt::Key_S)));
    const CommandGroup play = CommandGroup::PlayMode;
    Entry normal = radio(C::PlayModeNormal, play, "PMNormal", "&Normal");
    normal.checked = true;
    rows.push_back(normal);
    rows.push_back(radio(C::PlayModeContinuous, play, "PMContinuous", "&Continuous"));
    rows.push_back(radio(C::PlayModeShuffle, play, "PMShuffle", "&Shuffle"));
    const CommandGroup repeat = CommandGroup::RepeatMode;
    rows.push_back(radio(C::RepeatNone, repeat, "RMNoRepeat", "&No Repeat"));
    rows.push_back(radio(C::RepeatSingle, repeat, "RMSingleRepeat", "&Single Repeat"));
    rows.push_back(radio(C::RepeatAll, repeat, "RMRepeatAll", "&Repeat All"));
    rows.push_back(row(C::FullScreen, "FullScreen", "Full Screen", keys(ctrl, Qt::Key_F)));
    rows.push_back(
        row(C::IncreaseSpeed, "IncreaseSpeed", "Increase Speed", keys(ctrl, Qt::Key_Up)));
    rows.push_back(
        row(C::DecreaseSpeed, "DecreaseSpeed", "Decrease Speed", keys(ctrl, Qt::Key_Down)));
    rows.push_back(row(C::ResetSpeed, "ResetSpeed", "Reset Speed", keys(ctrl, Qt::Key_R)));
    const CommandGroup after = CommandGroup::AfterPlay;
    rows.push_back(radio(C::AfterNothing, after, "Donothing", "Do nothing"));
    rows.push_back(radio(C::AfterExit, after, "ExitKorvane", "Exit Korvane"));
    rows.push_back(radio(C::AfterRestart, after, "RestartTheComputer", "Restart the Computer"));
    rows.push_back(radio(C::AfterShutdown, after, "ShutdownTheComputer", "Shutdown the Computer"));
    rows.push_back(row(C::AddFiles, "AddVideoFile", "Add Media File(s)..."));
    rows.push_back(row(C::Remove, "Remove", "Remove"));
    rows.push_back(row(C::RemoveAll, "RemoveAll", "Remove All"));
    rows.push_back(row(C::Next, "Next", "Next", keys(none, Qt::Key_PageDown)));
    rows.push_back(row(C::Previous, "Previous", "Previous", keys(none, Qt::Key_PageUp)));
    rows.push_back(row(C::Options, "Options", "Options"));
    rows.push_back(row(C::About, "About", "&About"));
    Entry help = row(C::HelpTopics, "HelpTopics", "&Help Topics", keys(none, Qt::Key_F1));
    rows.push_back(help);
    rows.push_back(row(C::Play, "Play", "Play"));
    rows.push_back(row(C::Mute, "Mute", "Mute"));
    rows.push_back(row(C::TogglePlaylist, "TogglePlaylist", "Play List"));
    rows.push_back(row(C::DvdMenu, "DvdMenu", "DVD"));
    rows.push_back(row(C::MediaInfo, "MediaInfo", "Media Information"));
    addControlRows(rows);
    rows.push_back(row(C::OpenFolder, "OpenFolder", "Open Folder..."));
    std::sort(rows.begin(), rows.end(),
              [](const Entry& a, const Entry& b) { return a.command < b.command; });
    return rows;
}

} // namespace

const std::vector<CommandTable::Entry>& CommandTable::entries()
{
    static const std::vector<Entry> rows = buildEntries();
    return rows;
}

const CommandTable::Entry& CommandTable::entry(Command command)
{
    static const Entry none;
    const int index = static_cast<int>(command);
    if (index < 0 || index >= commandCount) {
        return none;
    }
    return entries()[static_cast<std::size_t>(index)];
}

std::optional<Command> CommandTable::fromKey(const QString& key)
{
    if (key.isEmpty()) {
        return std::nullopt;
    }
    for (const Entry& row : entries()) {
        if (row.key == key) {
            return row.command;
        }
    }
    return std::nullopt;
}

int CommandTable::indexInGroup(Command command)
{
    const CommandGroup group = entry(command).group;
    if (group == CommandGroup::None) {
        return -1;
    }
    int index = 0;
    for (const Entry& row : entries()) {
        if (row.command == command) {
            return index;
        }
        if (row.group == group) {
            ++index;
        }
    }
    return -1;
}

Command CommandTable::inGroup(CommandGroup group, int index)
{
    if (group == CommandGroup::None || index < 0) {
        return Command::None;
    }
    for (const Entry& row : entries()) {
        if (row.group == group && index-- == 0) {
            return row.command;
        }
    }
    return Command::None;
}

Command CommandTable::historySlot(int slot)
{
    if (slot < 0 || slot > 10) {
        return Command::None;
    }
    return static_cast<Command>(static_cast<int>(Command::History0) + slot);
}

int CommandTable::historySlotOf(Command command)
{
    const int slot = static_cast<int>(command) - static_cast<int>(Command::History0);
    return slot >= 0 && slot <= 10 ? slot : -1;
}

Command CommandTable::dvdDrive(int index)
{
    if (index < 0 || index > 5) {
        return Command::None;
    }
    return static_cast<Command>(static_cast<int>(Command::DvdDrive0) + index);
}

int CommandTable::dvdDriveOf(Command command)
{
    const int index = static_cast<int>(command) - static_cast<int>(Command::DvdDrive0);
    return index >= 0 && index <= 5 ? index : -1;
}

Command CommandTable::audioTrackSlot(int slot)
{
    if (slot < 0 || slot >= TrackSlots) {
        return Command::None;
    }
    return static_cast<Command>(static_cast<int>(Command::AudioTrack0) + slot);
}

int CommandTable::audioTrackSlotOf(Command command)
{
    const int slot = static_cast<int>(command) - static_cast<int>(Command::AudioTrack0);
    return slot >= 0 && slot < TrackSlots ? slot : -1;
}

Command CommandTable::subtitleSlot(int slot)
{
    if (slot < 0 || slot >= TrackSlots) {
        return Command::None;
    }
    return static_cast<Command>(static_cast<int>(Command::Subtitle0) + slot);
}

int CommandTable::subtitleSlotOf(Command command)
{
    const int slot = static_cast<int>(command) - static_cast<int>(Command::Subtitle0);
    return slot >= 0 && slot < TrackSlots ? slot : -1;
}
