#include "ui/menus/ClassicPopups.h"

#include "commands/CommandRegistry.h"
#include "commands/MenuLayout.h"
#include "ui/menus/MenuBuilder.h"
#include "ui/menus/MenuStyle.h"
#include "util/Logging.h"

#include <QMenu>
#include <QTimer>

ClassicPopups::ClassicPopups(CommandRegistry& registry, QObject* parent)
    : QObject(parent), m_registry(registry)
{
    for (const MenuLayout::Entry* layout :
         {&MenuLayout::fileMenu(), &MenuLayout::playMenu(), &MenuLayout::playListMenu()}) {
        // Top-level popups have no parent widget: they are only ever popped up.
        auto* top = new QMenu(layout->caption);
        top->setObjectName(layout->name);
        top->setStyleSheet(MenuStyle::styleSheet());
        m_menus.insert(layout->name, top);
        m_topMenus.append(top);
        MenuBuilder::fill(*top, *layout, registry, m_menus);
        connect(top, &QMenu::aboutToShow, this, [this] {
            ++m_openings;
            m_registry.showSurface(CommandOrigin::Popup);
        });
        // The chosen action fires after the menu hides, so the popup faces stay on until the
        // choice has been reported, unless another popup opened meanwhile.
        connect(top, &QMenu::aboutToHide, this, [this] {
            const int opening = m_openings;
            QTimer::singleShot(0, this, [this, opening] {
                if (opening == m_openings) {
                    m_registry.showSurface(CommandOrigin::Direct);
                }
            });
        });
    }
    connect(menu(QStringLiteral("mnuPlayBackMenu")), &QMenu::aboutToShow, this,
            &ClassicPopups::playMenuOpening);
    connect(menu(QStringLiteral("mnuAfterMenu")), &QMenu::aboutToShow, this,
            &ClassicPopups::afterMenuOpening);
    connect(menu(QStringLiteral("mnuPlayListmenu")), &QMenu::aboutToShow, this,
            &ClassicPopups::playListMenuOpening);
}

ClassicPopups::~ClassicPopups()
{
    qDeleteAll(m_topMenus);
}

void ClassicPopups::popup(const QString& name, QPoint globalPosition)
{
    qCDebug(lcUi).noquote() << "popup" << name;
    menu(name)->popup(globalPosition);
}

void ClassicPopups::popupFileMenu(QPoint globalPosition)
{
    popup(QStringLiteral("mnuFileMenu"), globalPosition);
}

void ClassicPopups::popupPlayMenu(QPoint globalPosition)
{
    popup(QStringLiteral("mnuPlayBackMenu"), globalPosition);
}

void ClassicPopups::popupPlayListMenu(QPoint globalPosition)
{
    popup(QStringLiteral("mnuPlayListmenu"), globalPosition);
}
