#include "commands/TransportCommands.h"

#include "commands/CommandTable.h"

#include <algorithm>

const std::array<Command, 5>& TransportCommands::followingPlayState()
{
    static const std::array<Command, 5> list = {Command::Stop, Command::FullScreen,
                                                Command::IncreaseSpeed, Command::DecreaseSpeed,
                                                Command::ResetSpeed};
    return list;
}

bool TransportCommands::enabledIn(MediaControlState::State state, Command command)
{
    const std::array<Command, 5>& list = followingPlayState();
    return state != MediaControlState::Stopped &&
           std::find(list.begin(), list.end(), command) != list.end();
}

Command TransportCommands::ofAfterPlay(AfterPlayAction action)
{
    return CommandTable::inGroup(CommandGroup::AfterPlay, static_cast<int>(action));
}

std::optional<AfterPlayAction> TransportCommands::afterPlayOf(Command command)
{
    if (CommandTable::entry(command).group != CommandGroup::AfterPlay) {
        return std::nullopt;
    }
    return static_cast<AfterPlayAction>(CommandTable::indexInGroup(command));
}
