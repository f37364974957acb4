#include "ui/menus/MainMenuBar.h"

#include "ui/menus/ActionRegistry.h"
#include "commands/MainMenuTree.h"
#include "ui/menus/MenuStyle.h"

#include <QEvent>
#include <QMenu>

MainMenuBar::MainMenuBar(ActionRegistry& registry, QWidget* window) : QMenuBar(window)
{
    setObjectName(QStringLiteral("SmartMenuXP1"));
    setNativeMenuBar(false);
    setStyleSheet(MenuStyle::styleSheet());
    for (const MainMenuTree::Item& item : MainMenuTree::items()) {
        QMenu* parentMenu = m_menus.value(item.parent, nullptr);
        if (!item.parent.isEmpty() && !parentMenu) {
            continue;
        }
        if (item.kind == MainMenuTree::Kind::Separator) {
            if (parentMenu) {
                parentMenu->addSeparator();
            }
            continue;
        }
        if (MainMenuTree::hasChildren(item.key) || item.parent.isEmpty()) {
            auto* menu = new QMenu(item.caption, parentMenu ? static_cast<QWidget*>(parentMenu)
                                                            : static_cast<QWidget*>(this));
            menu->setObjectName(item.key);
            menu->menuAction()->setObjectName(item.key);
            menu->menuAction()->setEnabled(item.enabled);
            menu->menuAction()->setVisible(item.visible);
            if (parentMenu) {
                parentMenu->addMenu(menu);
            } else {
                addMenu(menu);
            }
            m_menus.insert(item.key, menu);
            continue;
        }
        if (QAction* action = registry.action(item.key)) {
            parentMenu->addAction(action);
        }
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
