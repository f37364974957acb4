#include "ui/menus/MainMenuBar.h"

#include "commands/MenuLayout.h"
#include "ui/menus/MenuStyle.h"

#include <QEvent>
#include <QMenu>

MainMenuBar::MainMenuBar(const CommandRegistry& registry, QWidget* window) : QMenuBar(window)
{
    setObjectName(QStringLiteral("SmartMenuXP1"));
    setNativeMenuBar(false);
    setStyleSheet(MenuStyle::styleSheet());
    for (const MenuLayout::Entry& title : MenuLayout::menuBar()) {
        auto* menu = new QMenu(title.caption, this);
        MenuBuilder::name(*menu, title.menu, m_menus);
        addMenu(menu);
        MenuBuilder::fill(*menu, title, registry, m_menus);
    }
    window->installEventFilter(this);
    place();
}

MainMenuBar::~MainMenuBar() = default;

QMenu* MainMenuBar::submenu(MenuId id) const
{
    const int index = static_cast<int>(id);
    return index >= 0 && index < menuIdCount ? m_menus[static_cast<std::size_t>(index)] : nullptr;
}

void MainMenuBar::place()
{
    const QSize hint = sizeHint();
    setGeometry(Left, Top, hint.width(), hint.height());
    raise();
}

bool MainMenuBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent()) {
        switch (event->type()) {
        case QEvent::WindowStateChange:
            setVisible(!parentWidget()->isFullScreen());
            break;
        case QEvent::Resize:
        case QEvent::Show:
            // Children the window lays out later would otherwise cover the bar.
            raise();
            break;
        default:
            break;
        }
    }
    return QMenuBar::eventFilter(watched, event);
}
