#pragma once

#include "skin/SkinImages.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <array>

// The About box as arithmetic: what is drawn where for a client area of W × H, its three hit
// rectangles, and how the mouse moves its button states. The box paints and reacts by this.
class AboutBoxGeometry
{
public:
    static constexpr int Width = 416;
    static constexpr int Height = 213;

    // Hit indices of the box's own table.
    static constexpr int CloseButton = 0;
    static constexpr int CaptionStrip = 1;
    static constexpr int OkButton = 2;
    static constexpr int HitCount = 3;

    // Button states, as the main window counts them.
    static constexpr int Normal = 0;
    static constexpr int Over = 1;
    static constexpr int Press = 2;
    static constexpr int Disabled = 3;

    // The bottom strip has a slot of its own: slot 199 is the push button's disabled face.
    static constexpr int BottomStripSlot = SkinImages::AboutStripSlot;

    static const QString& captionText();
    static const QString& descriptionText();
    static const QString& basedOnText();
    static const QString& linkText();
    static const QString& okText();
    static const QString& linkAddress();

    using States = std::array<int, HitCount>;
    using HitRects = std::array<QRect, HitCount>;

    struct Piece
    {
        int slot = -1;
        QRect rect;
        int hitIndex = -1;
        bool operator==(const Piece&) const = default;
    };
    static constexpr int PieceCount = 8;

    // The eight pieces in painting order; the button slots follow their states.
    static std::array<Piece, PieceCount> pieces(int width, int height, const States& states);
    static HitRects hitRects(int width, int height);
    // Lowest index whose rectangle holds the point, or -1.
    static int hitTest(const HitRects& rects, QPoint point);
    // Where the OK text goes after every paint: over the OK face.
    static QRect okLabelRect(int width, int height);

    // The label rectangles, fixed: the box does not resize.
    static QRect captionLabelRect() { return {131, 6, 145, 14}; }
    static QRect descriptionLabelRect() { return {118, 42, 277, 91}; }
    static QRect basedOnLabelRect() { return {118, 134, 199, 18}; }
    static QRect linkLabelRect() { return {316, 134, 62, 21}; }

    struct PressResult
    {
        States states;
        bool startDrag = false;
        bool operator==(const PressResult&) const = default;
    };
    // A button went down over hit index `hit`: that piece shows pressed unless it already does
    // or is disabled; the caption strip starts a drag. No other state is reset.
    static PressResult mousePressed(States states, int hit);
    // A move with no button held lights the piece under the pointer and resets the rest; a move
    // with a button held changes nothing.
    static States mouseMoved(States states, int hit, bool buttonHeld);
    // A click (reported where the button came up) on the close button or the OK face closes.
    static bool clickCloses(int hit) { return hit == CloseButton || hit == OkButton; }
};
