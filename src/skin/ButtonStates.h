#pragma once

#include "skin/ButtonState.h"

#include <type_traits>
#include <vector>

// The states of a skinned window's buttons, by region index, and how the mouse moves them.
// A Disabled button never lights, never presses and keeps its state until it is set otherwise.
class ButtonStates
{
public:
    // What a press does to the buttons not under the pointer.
    enum class PressRule
    {
        ResetOthers, // they go back to Normal
        KeepOthers,  // they keep their faces
    };
    // What a move over a pressed button does.
    enum class HoverRule
    {
        LightUnderPointer,       // it shows Over
        KeepPressedUnderPointer, // it stays pressed until the pointer leaves it
    };

    explicit ButtonStates(int count = 0, PressRule press = PressRule::ResetOthers,
                          HoverRule hover = HoverRule::LightUnderPointer);

    int count() const { return static_cast<int>(m_states.size()); }
    // Normal for an index outside the table.
    ButtonState state(int index) const;
    void setState(int index, ButtonState state);
    bool isDisabled(int index) const { return state(index) == ButtonState::Disabled; }

    // A button went down over `index` (-1: over none). True when a state changed.
    bool press(int index);
    // The pointer moved over `index` (-1: over none) with no button held. Every other enabled
    // button goes back to Normal. True when a state changed.
    bool hover(int index);

    template <typename Region>
    requires std::is_enum_v<Region> ButtonState state(Region region)
    const { return state(static_cast<int>(region)); }
    template <typename Region>
    requires std::is_enum_v<Region>
    void setState(Region region, ButtonState value) { setState(static_cast<int>(region), value); }

    bool operator==(const ButtonStates& other) const { return m_states == other.m_states; }

private:
    bool contains(int index) const { return index >= 0 && index < count(); }
    bool resetAllBut(int index);

    std::vector<ButtonState> m_states;
    PressRule m_pressRule;
    HoverRule m_hoverRule;
};
