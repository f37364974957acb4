#pragma once

#include "commands/ClassicMenus.h"

#include <QHash>
#include <QObject>
#include <QPoint>

class ActionRegistry;
class QAction;
class QMenu;
class QWidget;

// The classic menus, built from their table and popped up at a point: the File menu for the
// tray icon, the Play menu over the video, the Play List menu over the playlist. Choosing an
// item reports its control name; the Play menu refreshes its checks and enabling on opening.
class ClassicPopups : public QObject
{
    Q_OBJECT
public:
    // What the Play menu needs to know as it opens.
    struct PlayContext
    {
        int playMode = 0;
        int repeatMode = 0;
        int afterPlayAction = 0;
        bool mediaActive = false;
    };

    // The registry lends the history items to the recent-files submenu, so both menus list the
    // same entries; the main actions also decide the speed items' enabling.
    ClassicPopups(ActionRegistry& registry, QObject* parent = nullptr);
    ~ClassicPopups() override;

    QMenu* menu(const QString& name) const { return m_menus.value(name, nullptr); }
    QAction* item(const QString& name) const { return m_items.value(name, nullptr); }
    const ClassicMenus::PlayMenuState& playMenuState() const { return m_state; }

    void setPlayContext(const PlayContext& context) { m_context = context; }
    void setPlaylistCount(int count) { m_playlistCount = count; }

    // Pops up a menu at a global point; returns at once.
    void popupFileMenu(QPoint globalPosition);
    void popupPlayMenu(QPoint globalPosition);
    void popupPlayListMenu(QPoint globalPosition);

    // The refreshes the menus run when they open; public so they can be checked directly.
    void refreshPlayMenu();
    void refreshAfterMenu();
    void refreshPlayListMenu();

signals:
    void chosen(const QString& name);

private:
    void choose(const QString& name);
    void applyChecks();

    ActionRegistry& m_registry;
    QHash<QString, QMenu*> m_menus;
    QHash<QString, QAction*> m_items;
    QList<QMenu*> m_topMenus;
    ClassicMenus::PlayMenuState m_state;
    PlayContext m_context;
    int m_playlistCount = 0;
};
