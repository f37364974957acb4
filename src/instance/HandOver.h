#pragma once

#include <QString>

class InstanceChannel;

// Whether this process hands its command to a running player and ends, or becomes the player.
struct HandOver
{
    QString commandName; // the running instance's command socket ("-1" when none was stored)
    QString checkName;   // its check socket (empty when none was stored)
    bool useNewPlayer = false;
    QString forwardingText;

    enum class Outcome
    {
        NoRunningInstance, // nothing recorded, or every start is its own player
        EndProcess,        // a running instance has it (or wants none of it)
        BecomeRunning,     // the recorded instance is gone
    };
    // The longest text a running player takes (UTF-8 bytes): room for some thousands of names.
    static constexpr int kMaxMessageBytes = 1024 * 1024;

    // message, when given, receives what the user should read on standard error, if anything.
    Outcome decide(InstanceChannel& channel, QString* message = nullptr) const;
};
