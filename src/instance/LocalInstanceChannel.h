#pragma once

#include "instance/InstanceChannel.h"

#include <chrono>

// Hand-over over local sockets. A message is a 4-byte big-endian length and the UTF-8 text; the
// receiver answers one byte once it has processed the text.
class LocalInstanceChannel : public InstanceChannel
{
public:
    static constexpr char kAcknowledgement = 'K';
    // The receiver is ending: the sender opens the file itself.
    static constexpr char kRefusal = 'N';
    // A receiver that answers takes well under this; one that does not must not hold a start.
    static constexpr std::chrono::milliseconds kReplyTimeout{2000};

    explicit LocalInstanceChannel(std::chrono::milliseconds replyTimeout = kReplyTimeout);

    bool isAlive(const QString& name) override;
    bool send(const QString& name, const QString& text) override;

private:
    std::chrono::milliseconds m_replyTimeout;
};
