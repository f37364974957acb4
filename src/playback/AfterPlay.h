#pragma once

#include "playback/AfterPlayAction.h"

#include <QString>

class PowerControl;

// The chosen after-play action, and running it once the play is over.
class AfterPlay
{
public:
    static QString actionName(AfterPlayAction action);

    AfterPlayAction action() const { return m_action; }
    // Chooses action ToDo (0 to 3); any other number changes nothing.
    void choose(int ToDo);

    enum class Result
    {
        StayStopped,
        // Close the main window through the normal shutdown.
        CloseWindow,
    };
    // Runs the action; it stays chosen afterwards. Restart and shut down are only requested:
    // if the system refuses, the player stays stopped.
    Result finish(PowerControl& power) const;

private:
    AfterPlayAction m_action = AfterPlayAction::DoNothing;
};
