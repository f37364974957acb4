#pragma once

#include "commands/Command.h"
#include "commands/MenuId.h"

#include <QString>
#include <vector>

// The menus as lists of commands: the menu bar and the three popups (the File menu from the
// tray, the Play menu over the video, the Play List menu over the playlist).
class MenuLayout
{
public:
    struct Entry
    {
        enum class Type
        {
            Action,
            Separator,
            Submenu,
        };
        Type type = Type::Action;
        Command command = Command::None;
        MenuId menu = MenuId::Count; // a submenu's id
        // A popup item with a name has an action of its own, logged by that name and showing
        // its own caption (empty: the command's) and states. Unnamed items show the menu
        // bar's action.
        QString name;
        QString caption; // a submenu's title, or a named popup item's caption
        std::vector<Entry> children;
    };

    // The menu bar's titles, each a submenu.
    static const std::vector<Entry>& menuBar();
    static const Entry& fileMenu();
    static const Entry& playMenu();
    static const Entry& playListMenu();

    // A menu's object name ("OpenDVD", "mnuPlayBackMenu", ...), as the log and the accessibility
    // tree show it.
    static QString objectName(MenuId menu);

    // Every command a layout reaches, submenus included, in order.
    static std::vector<Command> commandsOf(const Entry& menu);
};
