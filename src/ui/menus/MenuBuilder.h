#pragma once

#include "commands/MenuLayout.h"

#include <array>

class CommandRegistry;
class QMenu;

// Fills a menu from a layout with the registry's actions, a popup item's own action where it
// has one; submenus are made as it goes and listed by their ids.
class MenuBuilder
{
public:
    using Menus = std::array<QMenu*, menuIdCount>;

    static void fill(QMenu& menu, const MenuLayout::Entry& layout, const CommandRegistry& registry,
                     Menus& submenus);
    // A menu made for a layout entry, named after its id and listed.
    static void name(QMenu& menu, MenuId id, Menus& menus);
};
