#include "skin/SkinLayout.h"

#include "util/Rounding.h"

namespace {

// A button's slot is its base plus its state.
int stateSlot(int base, const ButtonStateTable& states, SkinRegion region)
{
    const int state = states[static_cast<std::size_t>(region)];
    return base + (state >= Normal && state <= Disabled ? state : Normal);
}

} // namespace

int SkinLayout::playLeft(int width)
{
    return static_cast<int>(korvane::roundHalfEven((width - 69) / 2.0));
}

std::array<SkinLayout::Piece, SkinLayout::kPieceCount>
SkinLayout::pieces(int W, int H, const ButtonStateTable& s, bool muted)
{
    const int top = controlTop(H);
    const int play = playLeft(W);
    const auto at = [](int slot, int x, int y, int w, int h, SkinRegion hit = SkinRegion::None) {
        return Piece{slot, QRect(x, y, w, h), static_cast<int>(hit)};
    };
    using R = SkinRegion;
    return {{
        at(17, 15, 31, W - 15, 26),
        at(15, 0, 0, W, 31, R::TitleBar),
        at(202, 3, 3, 24, 24, R::WindowIcon),
        at(1, 15, 56, W - 30, H - 203),
        at(0, 0, 31, 15, H - 166),
        at(2, W - 16, 31, 16, H - 166),
        at(3, 58, top, W - 110, 147),
        at(4, 0, top, 58, 147),
        at(5, W - 58, top, 58, 147),
        at(stateSlot(186, s, R::Close), W - 30, 1, 23, 24, R::Close),
        at(stateSlot(176, s, R::Maximize), W - 53, 1, 23, 24, R::Maximize),
        at(stateSlot(166, s, R::Minimize), W - 76, 1, 22, 24, R::Minimize),
        at(stateSlot(26, s, R::Play), play, top + 60, 69, 83, R::Play),
        at(stateSlot(36, s, R::Pause), play + 69, top + 90, 35, 44, R::Pause),
        at(stateSlot(46, s, R::Stop), play - 36, top + 90, 36, 47, R::Stop),
        at(stateSlot(86, s, R::Previous), 42, top + 63, 29, 37, R::Previous),
        at(stateSlot(66, s, R::Rewind), 71, top + 65, 30, 37, R::Rewind),
        at(stateSlot(76, s, R::Next), W - 66, top + 63, 28, 34, R::Next),
        at(stateSlot(56, s, R::FastForward), W - 95, top + 64, 29, 37, R::FastForward),
        at(stateSlot(106, s, R::SnapShot), 6, top + 32, 29, 39, R::SnapShot),
        at(stateSlot(96, s, R::FullScreen), W - 38, top + 32, 30, 39, R::FullScreen),
        at(stateSlot(116, s, R::PlayList), 8, H - 33, 25, 31, R::PlayList),
        at(stateSlot(126, s, R::Dvd), 45, H - 34, 25, 32, R::Dvd),
        at(stateSlot(136, s, R::Open), 85, H - 33, 26, 30, R::Open),
        at(stateSlot(muted ? 156 : 146, s, R::Sound), W - 104, H - 32, 23, 31, R::Sound),
    }};
}

QRect SkinLayout::trimmed(const QRect& rect)
{
    if (rect.isEmpty()) {
        return rect;
    }
    const int cut = static_cast<int>(korvane::roundHalfEven(rect.height() / 3.5));
    QRect result = rect;
    result.setBottom(rect.bottom() - cut);
    return result;
}

HitRectTable SkinLayout::hitRects(int width, int height)
{
    HitRectTable rects{};
    for (const Piece& piece : pieces(width, height, ButtonStateTable{}, false)) {
        if (piece.hitIndex >= 0) {
            rects[static_cast<std::size_t>(piece.hitIndex)] = piece.rect;
        }
    }
    for (std::size_t i = 8; i < rects.size(); ++i) {
        rects[i] = trimmed(rects[i]);
    }
    return rects;
}

int SkinLayout::hitTest(const HitRectTable& rects, QPoint point)
{
    for (std::size_t i = 0; i < rects.size(); ++i) {
        if (!rects[i].isEmpty() && rects[i].contains(point)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QPoint SkinLayout::volumeTrackPosition(int width, int height)
{
    return {width - 80, controlTop(height) + 120};
}

QRect SkinLayout::seekBarRect(int width, int height, int barHeight)
{
    return {56, controlTop(height) + 38, width - 112, barHeight};
}

const char* SkinLayout::regionName(int hitIndex)
{
    switch (static_cast<SkinRegion>(hitIndex)) {
    case SkinRegion::Close:
        return "Close";
    case SkinRegion::Maximize:
        return "Maximize";
    case SkinRegion::Minimize:
        return "Minimize";
    case SkinRegion::TitleBar:
        return "TitleBar";
    case SkinRegion::Play:
        return "Play";
    case SkinRegion::Pause:
        return "Pause";
    case SkinRegion::Stop:
        return "Stop";
    case SkinRegion::Previous:
        return "Previous";
    case SkinRegion::Rewind:
        return "Rewind";
    case SkinRegion::Next:
        return "Next";
    case SkinRegion::FastForward:
        return "FastForward";
    case SkinRegion::SnapShot:
        return "SnapShot";
    case SkinRegion::FullScreen:
        return "FullScreen";
    case SkinRegion::PlayList:
        return "PlayList";
    case SkinRegion::Dvd:
        return "Dvd";
    case SkinRegion::Open:
        return "Open";
    case SkinRegion::Sound:
        return "Sound";
    case SkinRegion::WindowIcon:
        return "WindowIcon";
    case SkinRegion::None:
        break;
    }
    return "";
}
