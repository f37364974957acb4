#pragma once

#include "commands/Command.h"

#include <QKeySequence>
#include <QList>
#include <QString>
#include <optional>
#include <vector>

// The one table of commands: what each is called, its key, how it shows in the menu bar and the
// name the log line "command <key>" gives it. Popup items that differ from the menu bar's are
// named in their popup's layout.
class CommandTable
{
public:
    struct Entry
    {
        Command command = Command::None;
        QString key;     // logged for the menu bar, keys, skin buttons and media keys
        QString caption; // "&" marks the access key
        QKeySequence shortcut;
        // Further keys for the same command; menus show the first one only.
        QList<QKeySequence> moreShortcuts;
        CommandKind kind = CommandKind::Normal;
        CommandGroup group = CommandGroup::None;
        bool enabled = true;
        bool visible = true;
        bool checked = false;
    };

    // Every command in enum order.
    static const std::vector<Entry>& entries();
    static const Entry& entry(Command command);
    // Exact and case-sensitive.
    static std::optional<Command> fromKey(const QString& key);

    // The place of a radio command in its group (0 for the first), or -1.
    static int indexInGroup(Command command);
    // The command at a place in a group, or None.
    static Command inGroup(CommandGroup group, int index);
    static Command historySlot(int slot);
    static int historySlotOf(Command command);
    static Command dvdDrive(int index);
    static int dvdDriveOf(Command command);

    // The Audio Track and Subtitle items the current item's tracks fill, in the engine's order.
    static constexpr int TrackSlots = 8;
    static Command audioTrackSlot(int slot);
    static int audioTrackSlotOf(Command command);
    static Command subtitleSlot(int slot);
    static int subtitleSlotOf(Command command);
};
