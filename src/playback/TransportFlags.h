#pragma once

// MediaActive while an item is playing and being watched. Paused is also set in the stopped state,
// which is what lets play resume the engine's own item.
struct TransportFlags
{
    bool MediaActive = false;
    bool Paused = false;
    bool Stopped = false;
    bool operator==(const TransportFlags&) const = default;
};
