#include "skin/SettingsLayout.h"

#include "skin/SkinLayout.h"

namespace {

int stateOf(const SettingsLayout::ButtonStates& states, SettingsHit hit)
{
    return states[static_cast<std::size_t>(hit)];
}

} // namespace

std::vector<SettingsLayout::Piece> SettingsLayout::pieces(int width, int height, SettingsPage page,
                                                          const ButtonStates& states)
{
    const int W = width;
    const int H = height;
    const auto hit = [](SettingsHit h) {
        return static_cast<int>(h);
    };
    std::vector<Piece> list = {
        {15, {0, 0, W, 31}, hit(SettingsHit::Caption)},
        {kCloseSlot + stateOf(states, SettingsHit::Close),
         {W - 30, 1, 23, 24},
         hit(SettingsHit::Close)},
        {0, {0, 31, 15, H - 45}, -1},
        {2, {W - 16, 31, 16, H - 45}, -1},
        {1, {12, 31, W - 25, H - 45}, -1},
        {7, {0, H - 14, 15, 14}, -1},
        {8, {W - 8, H - 14, 8, 14}, -1},
        {6, {15, H - 14, W - 19, 14}, -1},
        {201, {35, 40, 90, 30}, hit(SettingsHit::PlayerTab)},
        {201, {120, 40, 90, 30}, hit(SettingsHit::AssociationsTab)},
    };
    // The gap in the tab line sits under the active tab.
    if (page == SettingsPage::Player) {
        list.push_back({13, {17, 62, 26, 14}, -1});
        list.push_back({13, {118, 62, W - 136, 14}, -1});
    } else if (page == SettingsPage::Associations) {
        list.push_back({13, {17, 62, 110, 14}, -1});
        list.push_back({13, {204, 62, W - 223, 14}, -1});
        const SettingsHit buttons[] = {SettingsHit::SelectAll, SettingsHit::DeselectAll,
                                       SettingsHit::AudioFiles, SettingsHit::VideoFiles};
        const int tops[] = {90, 127, 163, 200};
        for (int i = 0; i < 4; ++i) {
            list.push_back({kButtonSlot + stateOf(states, buttons[i]),
                            {390, tops[i], 80, 30},
                            hit(buttons[i])});
        }
    }
    list.push_back({13, {16, 381, W - 37, 14}, -1});
    list.push_back({14, {11, 69, 12, 319}, -1});
    list.push_back({14, {W - 25, 69, 12, 319}, -1});
    list.push_back({kButtonSlot + stateOf(states, SettingsHit::Cancel),
                    {W - 80, H - 40, 60, 20},
                    hit(SettingsHit::Cancel)});
    list.push_back({kButtonSlot + stateOf(states, SettingsHit::Ok),
                    {W - 155, H - 40, 60, 20},
                    hit(SettingsHit::Ok)});
    list.push_back({kButtonSlot + stateOf(states, SettingsHit::Apply),
                    {W - 230, H - 40, 60, 20},
                    hit(SettingsHit::Apply)});
    return list;
}

SettingsLayout::HitRects SettingsLayout::paintedHitRects(const HitRects& previous, int width,
                                                         int height, SettingsPage page)
{
    HitRects rects = previous;
    for (int i = static_cast<int>(SettingsHit::SelectAll);
         i <= static_cast<int>(SettingsHit::VideoFiles); ++i) {
        rects[static_cast<std::size_t>(i)] = QRect();
    }
    for (const Piece& piece : pieces(width, height, page, ButtonStates{})) {
        if (piece.hitIndex >= 0) {
            rects[static_cast<std::size_t>(piece.hitIndex)] = piece.rect;
        }
    }
    return rects;
}

int SettingsLayout::hitTest(const HitRects& rects, QPoint point)
{
    for (int i = 0; i < kHitCount; ++i) {
        if (rects[static_cast<std::size_t>(i)].contains(point)) {
            return i;
        }
    }
    return -1;
}

SettingsAction SettingsLayout::clickAction(int hit)
{
    switch (static_cast<SettingsHit>(hit)) {
    case SettingsHit::Close:
    case SettingsHit::Cancel:
        return SettingsAction::Unload;
    case SettingsHit::PlayerTab:
        return SettingsAction::ShowPlayer;
    case SettingsHit::AssociationsTab:
        return SettingsAction::ShowAssociations;
    case SettingsHit::Apply:
        return SettingsAction::Save;
    case SettingsHit::Ok:
        return SettingsAction::SaveAndUnload;
    case SettingsHit::SelectAll:
        return SettingsAction::SelectAll;
    case SettingsHit::DeselectAll:
        return SettingsAction::DeselectAll;
    case SettingsHit::AudioFiles:
        return SettingsAction::AudioPreset;
    case SettingsHit::VideoFiles:
        return SettingsAction::VideoPreset;
    default:
        return SettingsAction::None;
    }
}

bool SettingsLayout::hover(ButtonStates& states, int hit)
{
    bool changed = false;
    for (int i = 0; i < kHitCount; ++i) {
        int& state = states[static_cast<std::size_t>(i)];
        if (i != hit && state != Disabled && state != Normal) {
            state = Normal;
            changed = true;
        }
    }
    if (hit < 0 || hit >= kHitCount) {
        return changed;
    }
    int& state = states[static_cast<std::size_t>(hit)];
    // A pressed button keeps its look until the pointer leaves it.
    if (state == Press || state == Disabled || state == Over) {
        return changed;
    }
    state = Over;
    return true;
}

void SettingsLayout::press(ButtonStates& states, int hit)
{
    for (int& state : states) {
        if (state != Disabled) {
            state = Normal;
        }
    }
    if (hit >= 0 && hit < kHitCount && states[static_cast<std::size_t>(hit)] != Disabled) {
        states[static_cast<std::size_t>(hit)] = Press;
    }
}
