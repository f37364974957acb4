#pragma once

// mediaActive: an item is playing and being watched. paused is also set in the stopped state,
// which is what lets play resume the engine's own item.
struct TransportFlags
{
    bool mediaActive = false;
    bool paused = false;
    bool stopped = false;
    bool operator==(const TransportFlags&) const = default;
};
