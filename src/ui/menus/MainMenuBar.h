#pragma once

#include "commands/MenuId.h"
#include "ui/menus/MenuBuilder.h"

#include <QMenuBar>

class CommandRegistry;
class QMenu;

// The main menu bar on the menu strip, built from its layout with the registry's actions. It
// stands at a fixed place on its window and steps aside while the window is full screen.
class MainMenuBar : public QMenuBar
{
    Q_OBJECT
public:
    static constexpr int Left = 15;
    static constexpr int Top = 31;

    MainMenuBar(const CommandRegistry& registry, QWidget* window);
    ~MainMenuBar() override;

    // The drop-down of a title or a submenu of the menu bar, or none.
    QMenu* submenu(MenuId id) const;
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MenuBuilder::Menus m_menus{};
};
