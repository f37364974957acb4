#include "commands/MenuEnabling.h"

const QStringList& MenuEnabling::keys()
{
    static const QStringList list = {
        QStringLiteral("Stop"),          QStringLiteral("FullScreen"),
        QStringLiteral("IncreaseSpeed"), QStringLiteral("DecreaseSpeed"),
        QStringLiteral("ResetSpeed"),    QStringLiteral("Remove"),
        QStringLiteral("RemoveAll"),     QStringLiteral("Next"),
        QStringLiteral("Previous"),
    };
    return list;
}

std::optional<bool> MenuEnabling::enabled(const QString& key) const
{
    const bool values[] = {Stop,   FullScreen, IncreaseSpeed, DecreaseSpeed, ResetSpeed,
                           Remove, RemoveAll,  Next,          Previous};
    const qsizetype index = keys().indexOf(key);
    if (index < 0) {
        return std::nullopt;
    }
    return values[index];
}

namespace {

void setTransport(MenuEnabling& e, bool on)
{
    e.Stop = e.FullScreen = e.IncreaseSpeed = e.DecreaseSpeed = e.ResetSpeed = on;
}

void setPlaylist(MenuEnabling& e, bool on)
{
    e.Remove = e.RemoveAll = e.Next = e.Previous = on;
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
    case Event::ControlState:
        // Playing and paused enable; stopped and any unknown state disable.
        setTransport(next, event.value == 0 || event.value == 2);
        break;
    case Event::PlayPauseOnEmpty:
        // Even when the dialog was cancelled.
        next.Stop = true;
        break;
    case Event::StopCommand:
        next.Stop = false;
        break;
    case Event::SpeedChanged:
        if (event.increase) {
            next.IncreaseSpeed = *event.increase;
        }
        if (event.decrease) {
            next.DecreaseSpeed = *event.decrease;
        }
        break;
    case Event::PlaylistCount:
        setPlaylist(next, event.value > 0);
        break;
    }
    return next;
}
