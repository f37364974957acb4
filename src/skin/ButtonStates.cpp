#include "skin/ButtonStates.h"

ButtonStates::ButtonStates(int count, PressRule press, HoverRule hover)
    : m_states(static_cast<std::size_t>(count > 0 ? count : 0), ButtonState::Normal),
      m_pressRule(press), m_hoverRule(hover)
{}

ButtonState ButtonStates::state(int index) const
{
    return contains(index) ? m_states[static_cast<std::size_t>(index)] : ButtonState::Normal;
}

void ButtonStates::setState(int index, ButtonState state)
{
    if (contains(index)) {
        m_states[static_cast<std::size_t>(index)] = state;
    }
}

bool ButtonStates::resetAllBut(int index)
{
    bool changed = false;
    for (int i = 0; i < count(); ++i) {
        ButtonState& entry = m_states[static_cast<std::size_t>(i)];
        if (i != index && entry != ButtonState::Disabled && entry != ButtonState::Normal) {
            entry = ButtonState::Normal;
            changed = true;
        }
    }
    return changed;
}

bool ButtonStates::press(int index)
{
    bool changed = m_pressRule == PressRule::ResetOthers && resetAllBut(index);
    if (contains(index)) {
        ButtonState& entry = m_states[static_cast<std::size_t>(index)];
        if (entry != ButtonState::Disabled && entry != ButtonState::Pressed) {
            entry = ButtonState::Pressed;
            changed = true;
        }
    }
    return changed;
}

bool ButtonStates::hover(int index)
{
    bool changed = resetAllBut(index);
    if (!contains(index)) {
        return changed;
    }
    ButtonState& entry = m_states[static_cast<std::size_t>(index)];
    const bool keeps =
        entry == ButtonState::Disabled || entry == ButtonState::Over ||
        (entry == ButtonState::Pressed && m_hoverRule == HoverRule::KeepPressedUnderPointer);
    if (!keeps) {
        entry = ButtonState::Over;
        changed = true;
    }
    return changed;
}
