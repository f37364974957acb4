#pragma once

// What happens once the current item has finished by itself.
struct ItemEndDecision
{
    enum class Action
    {
        // Stop, then play again: the same item restarts on the same engine control.
        Replay,
        // Stop, then run the after-play action.
        StopAndFinish,
        // Move the sequence to `position`, select playlist entry `entry` and play it.
        PlayEntry,
    };

    Action action = Action::StopAndFinish;
    int position = -1;
    int entry = -1;

    bool operator==(const ItemEndDecision&) const = default;

    static ItemEndDecision replay() { return {Action::Replay, -1, -1}; }
    static ItemEndDecision stopAndFinish() { return {Action::StopAndFinish, -1, -1}; }
    static ItemEndDecision playEntry(int position, int entry)
    {
        return {Action::PlayEntry, position, entry};
    }
};
