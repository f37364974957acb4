#include "skin/SettingsLayout.h"

std::vector<SkinPiece> SettingsLayout::pieces(int width, int height, SettingsPage page)
{
    const int W = width;
    const int H = height;
    using R = SettingsRegion;
    const auto picture = [](int slot, int x, int y, int w, int h) {
        return SkinPiece::picture(slot, QRect(x, y, w, h));
    };
    const auto button = [](int x, int y, int w, int h, R region) {
        return SkinPiece::buttonFace(kButtonSlot, QRect(x, y, w, h), region);
    };
    std::vector<SkinPiece> list = {
        SkinPiece::area(15, QRect(0, 0, W, 31), R::Caption),
        SkinPiece::buttonFace(kCloseSlot, QRect(W - 30, 1, 23, 24), R::Close),
        picture(0, 0, 31, 15, H - 45),
        picture(2, W - 16, 31, 16, H - 45),
        picture(1, 12, 31, W - 25, H - 45),
        picture(7, 0, H - 14, 15, 14),
        picture(8, W - 8, H - 14, 8, 14),
        picture(6, 15, H - 14, W - 19, 14),
        SkinPiece::area(201, QRect(35, 40, 90, 30), R::PlayerTab),
        SkinPiece::area(201, QRect(120, 40, 90, 30), R::AssociationsTab),
    };
    // The gap in the tab line sits under the active tab.
    if (page == SettingsPage::Player) {
        list.push_back(picture(13, 17, 62, 26, 14));
        list.push_back(picture(13, 118, 62, W - 136, 14));
    } else if (page == SettingsPage::Associations) {
        list.push_back(picture(13, 17, 62, 110, 14));
        list.push_back(picture(13, 204, 62, W - 223, 14));
        list.push_back(button(390, 90, 80, 30, R::SelectAll));
        list.push_back(button(390, 127, 80, 30, R::DeselectAll));
        list.push_back(button(390, 163, 80, 30, R::AudioFiles));
        list.push_back(button(390, 200, 80, 30, R::VideoFiles));
    }
    list.push_back(picture(13, 16, 381, W - 37, 14));
    list.push_back(picture(14, 11, 69, 12, 319));
    list.push_back(picture(14, W - 25, 69, 12, 319));
    list.push_back(button(W - 80, H - 40, 60, 20, R::Cancel));
    list.push_back(button(W - 155, H - 40, 60, 20, R::Ok));
    list.push_back(button(W - 230, H - 40, 60, 20, R::Apply));
    return list;
}

HitTable SettingsLayout::hitRects(int width, int height, SettingsPage page)
{
    return HitTable::fromPieces(kHitCount, pieces(width, height, page));
}

ButtonStates SettingsLayout::buttonStates()
{
    return ButtonStates(kHitCount, ButtonStates::PressRule::ResetOthers,
                        ButtonStates::HoverRule::KeepPressedUnderPointer);
}

SettingsAction SettingsLayout::clickAction(SettingsRegion region)
{
    switch (region) {
    case SettingsRegion::Close:
    case SettingsRegion::Cancel:
        return SettingsAction::Unload;
    case SettingsRegion::PlayerTab:
        return SettingsAction::ShowPlayer;
    case SettingsRegion::AssociationsTab:
        return SettingsAction::ShowAssociations;
    case SettingsRegion::Apply:
        return SettingsAction::Save;
    case SettingsRegion::Ok:
        return SettingsAction::SaveAndUnload;
    case SettingsRegion::SelectAll:
        return SettingsAction::SelectAll;
    case SettingsRegion::DeselectAll:
        return SettingsAction::DeselectAll;
    case SettingsRegion::AudioFiles:
        return SettingsAction::AudioPreset;
    case SettingsRegion::VideoFiles:
        return SettingsAction::VideoPreset;
    default:
        return SettingsAction::None;
    }
}
