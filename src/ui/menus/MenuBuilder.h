#pragma once

#include "commands/MenuLayout.h"

#include <QHash>

class CommandRegistry;
class QMenu;

// Fills a menu from a layout with the registry's actions; submenus are made as it goes and
// listed by their names.
class MenuBuilder
{
public:
    static void fill(QMenu& menu, const MenuLayout::Entry& layout, const CommandRegistry& registry,
                     QHash<QString, QMenu*>& submenus);
};
