#include "skin/AboutBoxGeometry.h"

const QString& AboutBoxGeometry::captionText()
{
    static const QString text = QStringLiteral("About Korvane");
    return text;
}

const QString& AboutBoxGeometry::descriptionText()
{
    static const QString text = QStringLiteral(
        "Korvane is an easy-to-use program with amazing interface to play almost all media files "
        "with an easy-to-use playlist; The player can also play DVD-Video discs and Video-CD "
        "discs.");
    return text;
}

const QString& AboutBoxGeometry::basedOnText()
{
    static const QString text = QStringLiteral("Korvane is based on ");
    return text;
}

const QString& AboutBoxGeometry::linkText()
{
    static const QString text = QStringLiteral("VideoLan");
    return text;
}

const QString& AboutBoxGeometry::okText()
{
    static const QString text = QStringLiteral("OK");
    return text;
}

const QString& AboutBoxGeometry::linkAddress()
{
    static const QString text = QStringLiteral("https://www.videolan.org/");
    return text;
}

std::array<AboutBoxGeometry::Piece, AboutBoxGeometry::PieceCount>
AboutBoxGeometry::pieces(int width, int height, const States& states)
{
    const int W = width;
    const int H = height;
    return {{
        {15, QRect(0, 0, W, 31), CaptionStrip},
        {186 + states[CloseButton], QRect(W - 30, 1, 23, 24), CloseButton},
        {0, QRect(0, 31, 15, H - 45), -1},
        {2, QRect(W - 16, 31, 16, H - 45), -1},
        {BottomStripSlot, QRect(0, H - 14, W, 14), -1},
        // The centre fill overlaps the inner three pixels of both side bands.
        {1, QRect(12, 31, W - 25, H - 45), -1},
        {200, QRect(20, 51, 80, 80), -1},
        {196 + states[OkButton], QRect(W - 75, H - 45, 60, 30), OkButton},
    }};
}

AboutBoxGeometry::HitRects AboutBoxGeometry::hitRects(int width, int height)
{
    HitRects rects{};
    for (const Piece& piece : pieces(width, height, States{})) {
        if (piece.hitIndex >= 0) {
            rects[static_cast<std::size_t>(piece.hitIndex)] = piece.rect;
        }
    }
    return rects;
}

int AboutBoxGeometry::hitTest(const HitRects& rects, QPoint point)
{
    for (int i = 0; i < HitCount; ++i) {
        if (rects[static_cast<std::size_t>(i)].contains(point)) {
            return i;
        }
    }
    return -1;
}

QRect AboutBoxGeometry::okLabelRect(int width, int height)
{
    return {width - 52, height - 38, 60, 30};
}

AboutBoxGeometry::PressResult AboutBoxGeometry::mousePressed(States states, int hit)
{
    PressResult result{states, false};
    if (hit >= 0 && hit < HitCount) {
        int& state = result.states[static_cast<std::size_t>(hit)];
        if (state != Press && state != Disabled) {
            state = Press;
        }
    }
    result.startDrag = hit == CaptionStrip;
    return result;
}

AboutBoxGeometry::States AboutBoxGeometry::mouseMoved(States states, int hit, bool buttonHeld)
{
    if (buttonHeld) {
        return states;
    }
    states.fill(Normal);
    if (hit >= 0 && hit < HitCount) {
        states[static_cast<std::size_t>(hit)] = Over;
    }
    return states;
}
