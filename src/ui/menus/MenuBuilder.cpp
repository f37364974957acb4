#include "ui/menus/MenuBuilder.h"

#include "commands/CommandRegistry.h"

#include <QMenu>

void MenuBuilder::fill(QMenu& menu, const MenuLayout::Entry& layout,
                       const CommandRegistry& registry, Menus& submenus)
{
    using Type = MenuLayout::Entry::Type;
    for (const MenuLayout::Entry& child : layout.children) {
        switch (child.type) {
        case Type::Separator:
            menu.addSeparator();
            break;
        case Type::Action:
            if (QAction* action = child.name.isEmpty() ? registry.action(child.command)
                                                       : registry.popupAction(child.command)) {
                menu.addAction(action);
            }
            break;
        case Type::Submenu: {
            auto* submenu = new QMenu(child.caption, &menu);
            name(*submenu, child.menu, submenus);
            menu.addMenu(submenu);
            fill(*submenu, child, registry, submenus);
            break;
        }
        }
    }
}

void MenuBuilder::name(QMenu& menu, MenuId id, Menus& menus)
{
    const QString objectName = MenuLayout::objectName(id);
    menu.setObjectName(objectName);
    menu.menuAction()->setObjectName(objectName);
    menus[static_cast<std::size_t>(id)] = &menu;
}
