#pragma once

#include "skin/AboutRegion.h"
#include "skin/ButtonStates.h"
#include "skin/HitTable.h"
#include "skin/SkinImages.h"
#include "skin/SkinPiece.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <vector>

// The About box as arithmetic: what is drawn where for a client area of W × H, and which
// rectangles answer the mouse. The box paints and reacts by this.
class AboutBoxGeometry
{
public:
    static constexpr int Width = 416;
    static constexpr int Height = 213;
    static constexpr int HitCount = 3;

    // The bottom strip has a slot of its own: slot 199 is the push button's disabled face.
    static constexpr int BottomStripSlot = SkinImages::AboutStripSlot;

    static const QString& captionText();
    static const QString& descriptionText();
    static const QString& basedOnText();
    static const QString& linkText();
    static const QString& okText();
    static const QString& linkAddress();

    // The eight pieces in painting order.
    static std::vector<SkinPiece> pieces(int width, int height);
    static HitTable hitRects(int width, int height);
    // A fresh table of the box's button states: a press leaves the other buttons as they are.
    static ButtonStates buttonStates();
    // Where the OK text goes after every paint: over the OK face.
    static QRect okLabelRect(int width, int height);

    static QRect captionLabelRect() { return {131, 6, 145, 14}; }
    static QRect descriptionLabelRect() { return {118, 42, 277, 91}; }
    static QRect basedOnLabelRect() { return {118, 134, 199, 18}; }
    static QRect linkLabelRect() { return {316, 134, 62, 21}; }
};
