#pragma once

#include <QHash>
#include <QMenuBar>

class ActionRegistry;
class QMenu;

// The main menu bar on the menu strip, built from the menu tree with the registry's actions.
// It stands at a fixed place on its window and steps aside while the window is full screen.
class MainMenuBar : public QMenuBar
{
    Q_OBJECT
public:
    static constexpr int Left = 15;
    static constexpr int Top = 31;

    MainMenuBar(ActionRegistry& registry, QWidget* window);
    ~MainMenuBar() override;

    // The drop-down of a submenu key ("File", "RecentMenu", ...), or none.
    QMenu* submenu(const QString& key) const { return m_menus.value(key, nullptr); }
    void place();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QHash<QString, QMenu*> m_menus;
};
