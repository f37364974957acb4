#pragma once

#include <QPoint>
#include <QRect>
#include <array>
#include <vector>

// The Options dialog's regions by hit index. SnapShotTab has no painted button and stays empty.
enum class SettingsHit : int
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
// answers the mouse, and how the button states follow it.
class SettingsLayout
{
public:
    static constexpr int kWidth = 500;
    static constexpr int kHeight = 435;
    static constexpr int kHitCount = 12;
    static constexpr int kCloseSlot = 186;
    static constexpr int kButtonSlot = 196;

    using HitRects = std::array<QRect, kHitCount>;
    using ButtonStates = std::array<int, kHitCount>;

    struct Piece
    {
        int slot = -1;
        QRect rect;
        int hitIndex = -1;
    };

    // PaintSettings' pieces in painting order (22 on page 2, 18 on page 1, 16 on page 3).
    static std::vector<Piece> pieces(int width, int height, SettingsPage page,
                                     const ButtonStates& states);
    // SettingsHitRects after painting that page over the previous table. The page-2 buttons
    // answer on page 2 only: elsewhere they are hidden, and a click there must not change
    // check marks the user cannot see.
    static HitRects paintedHitRects(const HitRects& previous, int width, int height,
                                    SettingsPage page);
    // Lowest index whose rectangle holds the point, or -1.
    static int hitTest(const HitRects& rects, QPoint point);
    static SettingsAction clickAction(int hit);

    // A move without a held button over `hit` (or -1); true when a state changed.
    static bool hover(ButtonStates& states, int hit);
    // A press over `hit` (or -1).
    static void press(ButtonStates& states, int hit);

    // Where the button labels stand: "Apply", "OK", "Cancle".
    static QPoint applyLabel(int width, int height) { return {width - 213, height - 37}; }
    static QPoint okLabel(int width, int height) { return {width - 133, height - 37}; }
    static QPoint cancleLabel(int width, int height) { return {width - 65, height - 37}; }
    static QRect label1(int width, int height) { return {12, 70, width - 25, height - 130}; }
};
