#pragma once

#include <QString>

class InstanceChannel;
class UserStore;

// Whether this start hands its command to the running player and ends, or becomes the player.
// The light start and the full start ask the same question here, so they cannot disagree.
class StartDecision
{
public:
    // True when a running player took the command, or wants none of it: this process ends.
    // What the user should read (a command too long to hand over) goes to standard error.
    static bool handsOver(const UserStore& store, bool useNewPlayer, const QString& forwardingText,
                          InstanceChannel& channel);
};
