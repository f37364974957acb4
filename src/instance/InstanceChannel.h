#pragma once

#include <QString>

// The sending side of the hand-over between a new process and the running player.
class InstanceChannel
{
public:
    virtual ~InstanceChannel() = default;

    // True when a running instance listens under this name.
    virtual bool isAlive(const QString& name) = 0;
    // Delivers the text and waits until the receiver has processed it. False when no instance
    // took it.
    virtual bool send(const QString& name, const QString& text) = 0;
};
