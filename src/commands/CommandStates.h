#pragma once

#include "commands/Command.h"
#include "commands/MenuEnabling.h"
#include "commands/PopupChecks.h"

#include <optional>
#include <vector>

// The enabled and checked states of the changing commands, for the menu bar's actions and for
// the popups' own, computed from what the session and the playlist report.
class CommandStates
{
public:
    struct View
    {
        MenuEnabling enabling;
        // The menu bar's radios; a number outside a group leaves that group as it is.
        int playMode = 0;
        int repeatMode = 0;
        int afterPlay = 0;
        PopupChecks popup;
        int playlistCount = 0;
    };

    struct State
    {
        Command command = Command::None;
        bool enabled = true;
        std::optional<bool> checked;
        bool operator==(const State&) const = default;
    };

    static std::vector<State> menuBar(const View& view);
    static std::vector<State> popups(const View& view);
};
