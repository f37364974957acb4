#include "ui/menus/MenuBuilder.h"

#include "commands/CommandRegistry.h"

#include <QMenu>

void MenuBuilder::fill(QMenu& menu, const MenuLayout::Entry& layout,
                       const CommandRegistry& registry, QHash<QString, QMenu*>& submenus)
{
    using Type = MenuLayout::Entry::Type;
    for (const MenuLayout::Entry& child : layout.children) {
        switch (child.type) {
        case Type::Separator:
            menu.addSeparator();
            break;
        case Type::Action:
            if (QAction* action = registry.action(child.command)) {
                menu.addAction(action);
            }
            break;
        case Type::Submenu: {
            auto* submenu = new QMenu(child.caption, &menu);
            submenu->setObjectName(child.name);
            submenu->menuAction()->setObjectName(child.name);
            menu.addMenu(submenu);
            submenus.insert(child.name, submenu);
            fill(*submenu, child, registry, submenus);
            break;
        }
        }
    }
}
