#pragma once

#include "commands/Command.h"

#include <array>
#include <optional>

// Which of the menu bar's changing items are enabled, and how each event moves them. The
// transport five follow the play state and the commands; the four playlist items follow
// whether the playlist holds anything.
struct MenuEnabling
{
    bool stop = true;
    bool fullScreen = true;
    bool increaseSpeed = true;
    bool decreaseSpeed = true;
    bool resetSpeed = true;
    bool remove = true;
    bool removeAll = true;
    bool next = true;
    bool previous = true;

    struct Event
    {
        enum Kind
        {
            StartUp,
            // The transport is playing or paused (true), or stopped (false).
            MediaControl,
            // Play/Pause found the playlist empty and asked for the open dialog.
            PlayPauseOnEmpty,
            StopCommand,
            // The speed limits as the session reports them.
            SpeedLimits,
            // value: the number of playlist entries after a change.
            PlaylistCount,
        };
        Kind kind = StartUp;
        int value = 0;
        bool canIncrease = true;
        bool canDecrease = true;
    };

    // The commands governed here, in menu order.
    static const std::array<Command, 9>& commands();
    // None for a command not governed here.
    std::optional<bool> enabled(Command command) const;

    bool operator==(const MenuEnabling&) const = default;
};

// The one rule: the enabling after an event.
MenuEnabling nextMenuEnabling(const MenuEnabling& current, const MenuEnabling::Event& event);
