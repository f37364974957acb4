#pragma once

#include "commands/MenuId.h"
#include "ui/menus/MenuBuilder.h"

#include <QObject>
#include <QPoint>

class CommandRegistry;
class QMenu;

// The popups, built from their layouts with the registry's actions and popped up at a point:
// the File menu for the tray icon, the Play menu over the video, the Play List menu over the
// playlist. Their own items show their own states all the time, whether open or not.
class ClassicPopups : public QObject
{
    Q_OBJECT
public:
    explicit ClassicPopups(const CommandRegistry& registry, QObject* parent = nullptr);
    ~ClassicPopups() override;

    // A popup or one of its submenus, or none for a menu of the menu bar.
    QMenu* menu(MenuId id) const;

    // Pops up a menu at a global point; returns at once.
    void popupFileMenu(QPoint globalPosition);
    void popupPlayMenu(QPoint globalPosition);
    void popupPlayListMenu(QPoint globalPosition);

signals:
    // A menu is about to show: its states are wanted now.
    void playMenuOpening();
    void afterMenuOpening();
    void playListMenuOpening();

private:
    void popup(MenuId id, QPoint globalPosition);

    MenuBuilder::Menus m_menus{};
    std::array<QMenu*, 3> m_topMenus{};
};
