#include "ui/menus/ClassicPopups.h"

#include "commands/MenuLayout.h"
#include "ui/menus/MenuStyle.h"
#include "util/Logging.h"

#include <QMenu>

ClassicPopups::ClassicPopups(const CommandRegistry& registry, QObject* parent) : QObject(parent)
{
    std::size_t top = 0;
    for (const MenuLayout::Entry* layout :
         {&MenuLayout::fileMenu(), &MenuLayout::playMenu(), &MenuLayout::playListMenu()}) {
        // Top-level popups have no parent widget: they are only ever popped up.
        auto* menu = new QMenu(layout->caption);
        menu->setStyleSheet(MenuStyle::styleSheet());
        MenuBuilder::name(*menu, layout->menu, m_menus);
        m_topMenus[top++] = menu;
        MenuBuilder::fill(*menu, *layout, registry, m_menus);
    }
    connect(menu(MenuId::PopupPlay), &QMenu::aboutToShow, this, &ClassicPopups::playMenuOpening);
    connect(menu(MenuId::PopupAfterPlay), &QMenu::aboutToShow, this,
            &ClassicPopups::afterMenuOpening);
    connect(menu(MenuId::PopupPlayList), &QMenu::aboutToShow, this,
            &ClassicPopups::playListMenuOpening);
}

ClassicPopups::~ClassicPopups()
{
    qDeleteAll(m_topMenus);
}

QMenu* ClassicPopups::menu(MenuId id) const
{
    const int index = static_cast<int>(id);
    return index >= static_cast<int>(MenuId::PopupFile) && index < menuIdCount
               ? m_menus[static_cast<std::size_t>(index)]
               : nullptr;
}

void ClassicPopups::popup(MenuId id, QPoint globalPosition)
{
    qCDebug(lcUi).noquote() << "popup" << MenuLayout::objectName(id);
    menu(id)->popup(globalPosition);
}

void ClassicPopups::popupFileMenu(QPoint globalPosition)
{
    popup(MenuId::PopupFile, globalPosition);
}

void ClassicPopups::popupPlayMenu(QPoint globalPosition)
{
    popup(MenuId::PopupPlay, globalPosition);
}

void ClassicPopups::popupPlayListMenu(QPoint globalPosition)
{
    popup(MenuId::PopupPlayList, globalPosition);
}
