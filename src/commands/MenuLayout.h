#pragma once

#include "commands/Command.h"

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
        QString name;    // a submenu's object name
        QString caption; // a submenu's title
        std::vector<Entry> children;
    };

    // The menu bar's titles, each a submenu.
    static const std::vector<Entry>& menuBar();
    static const Entry& fileMenu();
    static const Entry& playMenu();
    static const Entry& playListMenu();

    // Every command a layout reaches, submenus included, in order.
    static std::vector<Command> commandsOf(const Entry& menu);
};
