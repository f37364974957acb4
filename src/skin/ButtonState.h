#pragma once

// The four faces of a skin button; a button's image slot is its base slot plus its state.
enum class ButtonState : int
{
    Normal = 0,
    Over = 1,     // the pointer is over it
    Pressed = 2,  // a button went down on it
    Disabled = 3, // greyed, and the mouse leaves it so
};
