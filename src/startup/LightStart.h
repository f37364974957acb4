#pragma once

#include <QString>

// A start that will hand its command to a running player decides so before it builds any window
// part: it reads what the decision needs (the settings' UseNewPlayer, the store's socket names,
// the extension test), tries the hand-over over plain local sockets, and ends. Only a start that
// becomes the player pays for the whole application.
class LightStart
{
public:
    // True when a running player took the command, or wants none of it, and this process ends.
    // False when this process becomes the player; then nothing of the attempt is left behind.
    // Whenever the decision needs more than reading (no settings file yet, an unreadable one),
    // it is left to the full start, which decides the same way.
    static bool handedOver(int argc, char** argv, const QString& forwardingText);
};
