#pragma once

#include "skin/ButtonStates.h"

#include <QRect>
#include <type_traits>

// One image of a skinned window scaled into its rectangle. A piece that fills a region of the
// window's hit table answers the mouse over its hit rectangle; a button piece shows the face
// its state picks: slot + state.
struct SkinPiece
{
    int slot = -1;
    QRect rect;
    int region = -1;
    QRect hit;
    bool button = false;

    static SkinPiece picture(int slot, const QRect& rect) { return {slot, rect, -1, {}, false}; }
    template <typename Region>
    requires std::is_enum_v<Region>
    static SkinPiece area(int slot, const QRect& rect, Region region)
    {
        return {slot, rect, static_cast<int>(region), rect, false};
    }
    template <typename Region>
    requires std::is_enum_v<Region>
    static SkinPiece buttonFace(int normalSlot, const QRect& rect, Region region)
    {
        return {normalSlot, rect, static_cast<int>(region), rect, true};
    }

    // The slot drawn for these states.
    int faceSlot(const ButtonStates& states) const
    {
        return button ? slot + static_cast<int>(states.state(region)) : slot;
    }

    bool operator==(const SkinPiece&) const = default;
};
