#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QPoint>

class CommandRegistry;
class QMenu;

// The popups, built from their layouts with the registry's actions and popped up at a point:
// the File menu for the tray icon, the Play menu over the video, the Play List menu over the
// playlist. While one is open the actions wear their popup faces.
class ClassicPopups : public QObject
{
    Q_OBJECT
public:
    explicit ClassicPopups(CommandRegistry& registry, QObject* parent = nullptr);
    ~ClassicPopups() override;

    // A popup or one of its submenus by name ("mnuPlayBackMenu", "mnuAfterMenu", ...).
    QMenu* menu(const QString& name) const { return m_menus.value(name, nullptr); }

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
    void popup(const QString& name, QPoint globalPosition);

    CommandRegistry& m_registry;
    QHash<QString, QMenu*> m_menus;
    QList<QMenu*> m_topMenus;
    int m_openings = 0;
};
