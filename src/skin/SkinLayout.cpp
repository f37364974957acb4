#include "skin/SkinLayout.h"

#include "playback/MediaControlState.h"
#include "util/Rounding.h"

int SkinLayout::playLeft(int width)
{
    return static_cast<int>(korvane::roundHalfEven((width - 69) / 2.0));
}

std::vector<SkinPiece> SkinLayout::pieces(int W, int H, bool muted)
{
    const int top = controlTop(H);
    const int play = playLeft(W);
    using R = SkinRegion;
    const auto picture = [](int slot, int x, int y, int w, int h) {
        return SkinPiece::picture(slot, QRect(x, y, w, h));
    };
    const auto area = [](int slot, int x, int y, int w, int h, R region) {
        return SkinPiece::area(slot, QRect(x, y, w, h), region);
    };
    // The lowest two sevenths of a lower button do not answer the mouse.
    const auto lower = [](int slot, int x, int y, int w, int h, R region) {
        SkinPiece piece = SkinPiece::buttonFace(slot, QRect(x, y, w, h), region);
        piece.hit = trimmed(piece.rect);
        return piece;
    };
    const auto caption = [](int slot, int x, int y, int w, int h, R region) {
        return SkinPiece::buttonFace(slot, QRect(x, y, w, h), region);
    };
    SkinPiece icon = area(202, 3, 3, 24, 24, R::WindowIcon);
    icon.hit = trimmed(icon.rect);
    return {
        picture(17, 15, 31, W - 15, 26),
        area(15, 0, 0, W, 31, R::TitleBar),
        icon,
        picture(1, 15, 56, W - 30, H - 203),
        picture(0, 0, 31, 15, H - 166),
        picture(2, W - 16, 31, 16, H - 166),
        picture(3, 58, top, W - 110, 147),
        picture(4, 0, top, 58, 147),
        picture(5, W - 58, top, 58, 147),
        caption(186, W - 30, 1, 23, 24, R::Close),
        caption(176, W - 53, 1, 23, 24, R::Maximize),
        caption(166, W - 76, 1, 22, 24, R::Minimize),
        lower(26, play, top + 60, 69, 83, R::Play),
        lower(36, play + 69, top + 90, 35, 44, R::Pause),
        lower(46, play - 36, top + 90, 36, 47, R::Stop),
        lower(86, 42, top + 63, 29, 37, R::Previous),
        lower(66, 71, top + 65, 30, 37, R::Rewind),
        lower(76, W - 66, top + 63, 28, 34, R::Next),
        lower(56, W - 95, top + 64, 29, 37, R::FastForward),
        lower(106, 6, top + 32, 29, 39, R::SnapShot),
        lower(96, W - 38, top + 32, 30, 39, R::FullScreen),
        lower(116, 8, H - 33, 25, 31, R::PlayList),
        lower(126, 45, H - 34, 25, 32, R::Dvd),
        lower(136, 85, H - 33, 26, 30, R::Open),
        lower(muted ? 156 : 146, W - 104, H - 32, 23, 31, R::Sound),
    };
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

HitTable SkinLayout::hitRects(int width, int height)
{
    return HitTable::fromPieces(kHitCount, pieces(width, height, false));
}

ButtonStates SkinLayout::buttonStates()
{
    return ButtonStates(kHitCount);
}

void SkinLayout::enableMediaControl(ButtonStates& states, int playState)
{
    const std::optional<MediaControlState> control =
        MediaControlState::enableMediaControl(playState);
    for (int hit = MediaControlState::PlayButton; hit <= MediaControlState::FullScreenButton;
         ++hit) {
        states.setState(hit, control ? static_cast<ButtonState>(control->buttonState(hit))
                                     : ButtonState::Disabled);
    }
}

QPoint SkinLayout::volumeTrackPosition(int width, int height)
{
    return {width - 80, controlTop(height) + 120};
}

QRect SkinLayout::seekBarRect(int width, int height, int barHeight)
{
    return {56, controlTop(height) + 38, width - 112, barHeight};
}

const char* SkinLayout::regionName(SkinRegion region)
{
    switch (region) {
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

QPoint SkinLayout::rateLabelPosition(int width, int height, QSize rateSize, const QRect& timeRect)
{
    constexpr int kGap = 8;
    constexpr int kFrameLeft = 16;
    const int line = height - 132;
    const int right = timeRect.isEmpty() ? width : timeRect.left() - kGap;
    if (60 + rateSize.width() <= right) {
        return {60, line};
    }
    if (kFrameLeft + rateSize.width() <= right) {
        return {right - rateSize.width(), line};
    }
    return {60, line - rateSize.height()};
}
