#pragma once

#include "instance/InstanceChannel.h"
#include "instance/LocalInstanceChannel.h"

#include <chrono>

// The sending side of the hand-over on plain local sockets, for a start that has no event loop:
// the same messages as LocalInstanceChannel. Connecting blocks until the player accepts, so a
// crowd of starts queues at the player instead of retrying on timers.
class PosixInstanceChannel : public InstanceChannel
{
public:
    explicit PosixInstanceChannel(
        std::chrono::milliseconds replyTimeout = LocalInstanceChannel::kReplyTimeout,
        std::chrono::milliseconds connectTimeout = std::chrono::seconds(5));

    bool isAlive(const QString& name) override;
    bool send(const QString& name, const QString& text) override;

private:
    // A connected socket, or -1.
    int connectTo(const QString& name) const;

    std::chrono::milliseconds m_replyTimeout;
    std::chrono::milliseconds m_connectTimeout;
};
