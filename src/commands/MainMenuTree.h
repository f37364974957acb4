#pragma once

#include <QKeySequence>
#include <QString>
#include <vector>

// The main menu as data: every item in creation order, which is also the display order. The
// menu bar, the action registry and the shortcuts are all built from this one table.
class MainMenuTree
{
public:
    enum class Kind : int
    {
        Normal = 0,
        Radio = 2,
        Separator = 3,
    };

    // Modifier masks as the table keeps them.
    static constexpr int NoModifier = 0;
    static constexpr int CtrlModifier = 2;

    struct Item
    {
        QString parent; // empty for a top-level entry
        QString key;    // empty for a separator
        Kind kind = Kind::Normal;
        QString caption; // "&" marks the access key
        int modifiers = NoModifier;
        int virtualKey = 0; // 0: no shortcut
        bool checked = false;
        bool enabled = true;
        bool visible = true;
    };

    // BuildMainMenu's rows, in order.
    static const std::vector<Item>& items();
    // Row of a key (exact, case-sensitive), or -1; the empty key names no row.
    static int indexOfKey(const QString& key);
    static const Item* find(const QString& key);
    // True when some row names this key as its parent.
    static bool hasChildren(const QString& key);

    // The Qt key of a table key code; 0 for a code the table does not use.
    static int qtKeyOfVirtualKey(int virtualKey);
    // The shortcut the row's action carries. "AfterPlay" shares Ctrl+P with "PlayPause"; two
    // actions on one key would both stay silent, so "PlayPause" keeps it and the submenu shows
    // none.
    static QKeySequence shortcutOf(const Item& item);
};
