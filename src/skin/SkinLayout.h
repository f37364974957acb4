#pragma once

#include "skin/ButtonStates.h"
#include "skin/HitTable.h"
#include "skin/SkinPiece.h"
#include "skin/SkinRegion.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <vector>

// Where every skin piece of the main window goes for a client area of W × H pixels, and which
// part of it reacts to the mouse. Pure arithmetic: the window paints and hit-tests what this says.
class SkinLayout
{
public:
    static constexpr int kHitCount = 24;
    static constexpr int kPieceCount = 25;

    static int controlTop(int height) { return height - 147; }
    static int playLeft(int width);

    // The 25 pieces in painting order; Sound shows its muted faces while muted. The lower
    // buttons answer the mouse over their trimmed rectangles.
    static std::vector<SkinPiece> pieces(int width, int height, bool muted);
    static HitTable hitRects(int width, int height);
    // Lowers the bottom by two sevenths of the height, halves to even; empty stays empty.
    static QRect trimmed(const QRect& rect);
    // A fresh table of the main window's button states, all Normal.
    static ButtonStates buttonStates();
    // The transport buttons for play state 0 playing, 1 stopped, 2 paused; any other code
    // disables all of them. The other buttons keep their states.
    static void enableMediaControl(ButtonStates& states, int playState);

    static QPoint volumeTrackPosition(int width, int height);
    static QRect seekBarRect(int width, int height, int barHeight);
    // The rate readout of the given size: at its place left of the time text when it clears it,
    // else moved left as far as the frame allows, else on the line above, so neither covers the
    // other.
    static QPoint rateLabelPosition(int width, int height, QSize rateSize, const QRect& timeRect);
    static const char* regionName(SkinRegion region);
};
