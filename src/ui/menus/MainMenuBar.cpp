#include "ui/menus/MainMenuBar.h"

#include "commands/MenuLayout.h"
#include "ui/menus/MenuBuilder.h"
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
        menu->setObjectName(title.name);
        menu->menuAction()->setObjectName(title.name);
        addMenu(menu);
        m_menus.insert(title.name, menu);
        MenuBuilder::fill(*menu, title, registry, m_menus);
    }
    window->installEventFilter(this);
    place();
}

MainMenuBar::~MainMenuBar() = default;

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
