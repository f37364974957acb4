#pragma once

#include <array>

// The popups' own check marks and media enabling, kept between openings. They move apart from
// the menu bar's: opening the Play menu adds the current modes' checks without clearing others.
class PopupChecks
{
public:
    std::array<bool, 3> playMode{};
    std::array<bool, 3> repeatMode{};
    std::array<bool, 4> afterPlay{};
    // Full screen, the three speed items and Stop.
    bool mediaItemsEnabled = true;
    bool operator==(const PopupChecks&) const = default;

    // Opening the Play menu checks the current modes without unchecking the others, and
    // enables the media items only while an item plays.
    static PopupChecks playMenuOpening(PopupChecks state, int playMode, int repeatMode,
                                       bool mediaActive);
    // A mode item checks itself and unchecks its own group, nothing else.
    static PopupChecks playModeChosen(PopupChecks state, int mode);
    static PopupChecks repeatModeChosen(PopupChecks state, int mode);
    // The after-play submenu shows the current action, and a choice checks only itself.
    static PopupChecks afterMenuOpening(PopupChecks state, int action);
    static PopupChecks afterPlayChosen(PopupChecks state, int action);
};
