#pragma once

#include "skin/ButtonStates.h"
#include "skin/HitTable.h"
#include "skin/SkinPiece.h"

#include <QPoint>
#include <QRect>
#include <vector>

// The Options dialog's regions by hit index. SnapShotTab has no painted button and stays empty.
enum class SettingsRegion : int
{
    None = -1,
    Close = 0,
    PlayerTab = 1,
    AssociationsTab = 2,
    SnapShotTab = 3,
    Apply = 4,
    Ok = 5,
    Cancel = 6,
    SelectAll = 7,
    DeselectAll = 8,
    AudioFiles = 9,
    VideoFiles = 10,
    Caption = 11,
};

// What a click on a region asks of the dialog.
enum class SettingsAction
{
    None,
    Unload,
    ShowPlayer,
    ShowAssociations,
    Save,
    SaveAndUnload,
    SelectAll,
    DeselectAll,
    AudioPreset,
    VideoPreset,
};

enum class SettingsPage : int
{
    Player = 1,
    Associations = 2,
    SnapShot = 3,
};

// The Options dialog's skin arithmetic: which piece goes where for a page, which rectangle
// answers the mouse, and what a click on it asks.
class SettingsLayout
{
public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 435;
    static constexpr int kHitCount = 12;
    static constexpr int kCloseSlot = 186;
    static constexpr int kButtonSlot = 196;

    // The pieces of a page in painting order (22 on page 2, 18 on page 1, 16 on page 3).
    static std::vector<SkinPiece> pieces(int width, int height, SettingsPage page);
    // The regions that answer on a page. The page-2 buttons answer on page 2 only: elsewhere
    // they are hidden, and a click there must not change check marks the user cannot see.
    static HitTable hitRects(int width, int height, SettingsPage page);
    // A fresh table of the dialog's button states: a clicked button keeps its pressed look
    // until the pointer leaves it.
    static ButtonStates buttonStates();
    static SettingsAction clickAction(SettingsRegion region);

    // Where the button labels stand: "Apply", "OK", "Cancle".
    static QPoint applyLabel(int width, int height) { return {width - 213, height - 37}; }
    static QPoint okLabel(int width, int height) { return {width - 133, height - 37}; }
    static QPoint cancelLabel(int width, int height) { return {width - 65, height - 37}; }
    // The blank label under the page controls.
    static QRect pageArea(int width, int height) { return {12, 70, width - 25, height - 130}; }
};
