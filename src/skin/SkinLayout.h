#pragma once

#include <QPoint>
#include <QRect>
#include <array>

// The skin's regions by hit index; 3 to 6, 21 and 22 are never filled.
enum class SkinRegion : int
{
    None = -1,
    Close = 0,
    Maximize = 1,
    Minimize = 2,
    TitleBar = 7,
    Play = 8,
    Pause = 9,
    Stop = 10,
    Previous = 11,
    Rewind = 12,
    Next = 13,
    FastForward = 14,
    SnapShot = 15,
    FullScreen = 16,
    PlayList = 17,
    Dvd = 18,
    Open = 19,
    Sound = 20,
    WindowIcon = 23,
};

enum ButtonState : int
{
    Normal = 0,
    Over = 1,
    Press = 2,
    Disabled = 3,
};

using HitRectTable = std::array<QRect, 24>;
using ButtonStateTable = std::array<int, 24>;

// Where every skin piece of the main window goes for a client area of W × H pixels, and which
// part of it reacts to the mouse. Pure arithmetic: the window paints and hit-tests what this says.
class SkinLayout
{
public:
    static constexpr int kHitCount = 24;
    static constexpr int kPieceCount = 25;

    struct Piece
    {
        int slot = -1;
        QRect rect; // destination, right and bottom exclusive as QRect::right() + 1
        int hitIndex = -1;
    };

    static int controlTop(int height) { return height - 147; }
    static int playLeft(int width);

    // The 25 pieces in painting order; button slots follow the states, Sound follows the mute.
    static std::array<Piece, kPieceCount> pieces(int width, int height,
                                                 const ButtonStateTable& states, bool muted);
    // The table every paint fills: drawn rectangles, the lower buttons trimmed.
    static HitRectTable hitRects(int width, int height);
    // Lowers the bottom by two sevenths of the height, halves to even; empty stays empty.
    static QRect trimmed(const QRect& rect);
    // Lowest index whose rectangle holds the point, or -1.
    static int hitTest(const HitRectTable& rects, QPoint point);

    static QPoint volumeTrackPosition(int width, int height);
    static QRect seekBarRect(int width, int height, int barHeight);
    static const char* regionName(int hitIndex);
};
