#pragma once

#include "playback/AfterPlayAction.h"

#include <QString>
#include <QStringList>

class PowerControl;

// The chosen after-play action, its four menu items, and running it once the play is over.
class AfterPlay
{
public:
    // In action order: "Donothing", "ExitKorvane", "RestartTheComputer", "ShutdownTheComputer".
    static const QStringList& menuKeys();
    // The action of a menu key (exact, case-sensitive), or -1.
    static int actionOfMenuKey(const QString& key);
    static QString actionName(AfterPlayAction action);

    AfterPlayAction action() const { return m_action; }
    // Chooses action ToDo (0 to 3); any other number changes nothing.
    void choose(int ToDo);
    // Exactly one item is checked, the current action's.
    bool isChecked(const QString& menuKey) const;

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
