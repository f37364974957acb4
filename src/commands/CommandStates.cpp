#include "commands/CommandStates.h"

#include "commands/CommandTable.h"

namespace {

using State = CommandStates::State;

void radios(std::vector<State>& out, CommandGroup group, int count, int chosen)
{
    if (chosen < 0 || chosen >= count) {
        return;
    }
    for (int i = 0; i < count; ++i) {
        out.push_back({CommandTable::inGroup(group, i), true, i == chosen});
    }
}

template <std::size_t N>
void popupRadios(std::vector<State>& out, CommandGroup group, const std::array<bool, N>& checks)
{
    for (std::size_t i = 0; i < N; ++i) {
        out.push_back({CommandTable::inGroup(group, static_cast<int>(i)), true, checks[i]});
    }
}

} // namespace

std::vector<State> CommandStates::menuBar(const View& view)
{
    std::vector<State> out;
    for (Command command : MenuEnabling::commands()) {
        out.push_back({command, *view.enabling.enabled(command), {}});
    }
    radios(out, CommandGroup::PlayMode, 3, view.playMode);
    radios(out, CommandGroup::RepeatMode, 3, view.repeatMode);
    radios(out, CommandGroup::AfterPlay, 4, view.afterPlay);
    return out;
}

std::vector<State> CommandStates::popups(const View& view)
{
    // The popup's media items follow the play state they saw on opening; the speed items also
    // keep to the rate's limits.
    const bool media = view.popup.mediaItemsEnabled;
    const MenuEnabling& e = view.enabling;
    std::vector<State> out = {
        {Command::FullScreen, media, {}},
        {Command::IncreaseSpeed, media && e.increaseSpeed, {}},
        {Command::DecreaseSpeed, media && e.decreaseSpeed, {}},
        {Command::ResetSpeed, media, {}},
        {Command::Stop, media, {}},
    };
    const bool entries = view.playlistCount > 0;
    for (Command command :
         {Command::Remove, Command::RemoveAll, Command::Next, Command::Previous}) {
        out.push_back({command, entries, {}});
    }
    popupRadios(out, CommandGroup::PlayMode, view.popup.playMode);
    popupRadios(out, CommandGroup::RepeatMode, view.popup.repeatMode);
    popupRadios(out, CommandGroup::AfterPlay, view.popup.afterPlay);
    return out;
}
