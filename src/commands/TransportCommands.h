#pragma once

#include "commands/Command.h"
#include "playback/AfterPlayAction.h"
#include "playback/MediaControlState.h"

#include <array>
#include <optional>

// Which commands stand for which transport state: the items that follow the play state, and
// the "After file playing finished" radio of each action.
class TransportCommands
{
public:
    // Enabled while an item plays or is paused, disabled while stopped.
    static const std::array<Command, 5>& followingPlayState();
    // False for a command that does not follow the play state.
    static bool enabledIn(MediaControlState::State state, Command command);

    static Command ofAfterPlay(AfterPlayAction action);
    // None for a command outside the after-play group.
    static std::optional<AfterPlayAction> afterPlayOf(Command command);
};
