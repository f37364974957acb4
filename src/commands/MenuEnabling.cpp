#include "commands/MenuEnabling.h"

const std::array<Command, 9>& MenuEnabling::commands()
{
    static const std::array<Command, 9> list = {
        Command::Stop,          Command::FullScreen, Command::IncreaseSpeed,
        Command::DecreaseSpeed, Command::ResetSpeed, Command::Remove,
        Command::RemoveAll,     Command::Next,       Command::Previous,
    };
    return list;
}

std::optional<bool> MenuEnabling::enabled(Command command) const
{
    const bool values[] = {stop,   fullScreen, increaseSpeed, decreaseSpeed, resetSpeed,
                           remove, removeAll,  next,          previous};
    for (std::size_t i = 0; i < commands().size(); ++i) {
        if (commands()[i] == command) {
            return values[i];
        }
    }
    return std::nullopt;
}

namespace {

void setTransport(MenuEnabling& e, bool on)
{
    e.stop = e.fullScreen = e.increaseSpeed = e.decreaseSpeed = e.resetSpeed = on;
}

void setPlaylist(MenuEnabling& e, bool on)
{
    e.remove = e.removeAll = e.next = e.previous = on;
}

} // namespace

MenuEnabling nextMenuEnabling(const MenuEnabling& current, const MenuEnabling::Event& event)
{
    using Event = MenuEnabling::Event;
    MenuEnabling next = current;
    switch (event.kind) {
    case Event::StartUp:
        setTransport(next, false);
        setPlaylist(next, false);
        break;
    case Event::MediaControl:
        setTransport(next, event.value != 0);
        break;
    case Event::PlayPauseOnEmpty:
        // Even when the dialog was cancelled.
        next.stop = true;
        break;
    case Event::StopCommand:
        next.stop = false;
        break;
    case Event::SpeedLimits:
        next.increaseSpeed = event.canIncrease;
        next.decreaseSpeed = event.canDecrease;
        break;
    case Event::PlaylistCount:
        setPlaylist(next, event.value > 0);
        break;
    }
    return next;
}
