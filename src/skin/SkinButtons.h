#pragma once

#include "skin/SkinLayout.h"

// The 24 button states the skin is painted from. The mouse, the play state and the maximise
// toggle write them; a Disabled button keeps its state until the play state frees it.
class SkinButtons
{
public:
    const ButtonStateTable& buttonStates() const { return m_states; }
    int state(SkinRegion region) const { return m_states[index(region)]; }
    bool isDisabled(int hitIndex) const;
    void setState(SkinRegion region, int state) { m_states[index(region)] = state; }

    // enableMediaControl: the transport buttons for play state 0 playing, 1 stopped, 2 paused;
    // any other code disables all of them.
    void enableMediaControl(int playState);
    // Every enabled button back to Normal, then the one at hitIndex (if any and enabled) Press.
    void press(int hitIndex) { mark(hitIndex, Press); }
    // The same with Over, for a move without a held button.
    void hover(int hitIndex) { mark(hitIndex, Over); }

private:
    static std::size_t index(SkinRegion region) { return static_cast<std::size_t>(region); }
    void mark(int hitIndex, int state);

    ButtonStateTable m_states{};
};
