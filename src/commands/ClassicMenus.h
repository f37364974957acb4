#pragma once

#include "commands/MenuCommand.h"

#include <QString>
#include <array>
#include <vector>

// The classic menus: ordinary popups, never a menu bar. The File menu opens from the tray icon,
// the Play menu over the video, the Play List menu over the playlist. Captions are kept exactly
// as stored, blank-padded ones included.
class ClassicMenus
{
public:
    struct Item
    {
        QString parent; // control name of the menu holding it; empty for a top-level menu
        QString name;   // control name; an index in brackets for control arrays
        QString caption;
        QString shortcut; // shown beside the caption only
        MenuDispatch dispatch;
        bool enabled = true;
        bool separator() const { return caption == QLatin1String("-"); }
    };

    static const std::vector<Item>& items();
    static const Item* find(const QString& name);
    static bool hasChildren(const QString& name);

    // The Play menu's check marks and enabling, kept between openings as the menu keeps them.
    struct PlayMenuState
    {
        std::array<bool, 3> playMode{};
        std::array<bool, 3> repeatMode{};
        std::array<bool, 4> afterPlay{};
        // Full screen, the three speed items and Stop.
        bool mediaItemsEnabled = true;
        bool operator==(const PlayMenuState&) const = default;
    };

    // Opening the Play menu checks the current modes without unchecking the others, and
    // enables the media items only while an item plays.
    static PlayMenuState playMenuOpening(PlayMenuState state, int playMode, int repeatMode,
                                         bool mediaActive);
    // A classic mode item checks itself and unchecks its own group, nothing else.
    static PlayMenuState playModeChosen(PlayMenuState state, int mode);
    static PlayMenuState repeatModeChosen(PlayMenuState state, int mode);
    // The after-play submenu shows the current action, and a choice checks only itself.
    static PlayMenuState afterMenuOpening(PlayMenuState state, int action);
    static PlayMenuState afterPlayChosen(PlayMenuState state, int action);
    // The Play List menu's Remove, Remove All, Next and Previous.
    static bool playListItemsEnabled(int count) { return count > 0; }
    // Names of the media items the Play menu's opening enables or disables.
    static const std::array<QString, 5>& mediaItemNames();
};
