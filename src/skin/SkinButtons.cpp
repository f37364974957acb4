#include "skin/SkinButtons.h"

#include "playback/MediaControlState.h"

bool SkinButtons::isDisabled(int hitIndex) const
{
    return hitIndex >= 0 && hitIndex < SkinLayout::kHitCount &&
           m_states[static_cast<std::size_t>(hitIndex)] == Disabled;
}

void SkinButtons::enableMediaControl(int playState)
{
    const std::optional<MediaControlState> control =
        MediaControlState::enableMediaControl(playState);
    for (int hit = MediaControlState::PlayButton; hit <= MediaControlState::FullScreenButton;
         ++hit) {
        m_states[static_cast<std::size_t>(hit)] = control ? control->buttonState(hit) : Disabled;
    }
}

void SkinButtons::mark(int hitIndex, int state)
{
    for (int& entry : m_states) {
        if (entry != Disabled) {
            entry = Normal;
        }
    }
    if (hitIndex >= 0 && hitIndex < SkinLayout::kHitCount && !isDisabled(hitIndex)) {
        m_states[static_cast<std::size_t>(hitIndex)] = state;
    }
}
