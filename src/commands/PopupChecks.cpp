#include "commands/PopupChecks.h"

namespace {

template <std::size_t N> void checkOnly(std::array<bool, N>& group, int index)
{
    if (index < 0 || index >= static_cast<int>(N)) {
        return;
    }
    group.fill(false);
    group[static_cast<std::size_t>(index)] = true;
}

template <std::size_t N> void checkAlso(std::array<bool, N>& group, int index)
{
    if (index >= 0 && index < static_cast<int>(N)) {
        group[static_cast<std::size_t>(index)] = true;
    }
}

} // namespace

PopupChecks PopupChecks::playMenuOpening(PopupChecks state, int playMode, int repeatMode,
                                         bool mediaActive)
{
    checkAlso(state.playMode, playMode);
    checkAlso(state.repeatMode, repeatMode);
    state.mediaItemsEnabled = mediaActive;
    return state;
}

PopupChecks PopupChecks::playModeChosen(PopupChecks state, int mode)
{
    checkOnly(state.playMode, mode);
    return state;
}

PopupChecks PopupChecks::repeatModeChosen(PopupChecks state, int mode)
{
    checkOnly(state.repeatMode, mode);
    return state;
}

PopupChecks PopupChecks::afterMenuOpening(PopupChecks state, int action)
{
    state.afterPlay.fill(false);
    checkAlso(state.afterPlay, action);
    return state;
}

PopupChecks PopupChecks::afterPlayChosen(PopupChecks state, int action)
{
    checkOnly(state.afterPlay, action);
    return state;
}
