#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QAction;
class QActionGroup;
class QWidget;

// One QAction per main-menu key, built from the menu tree: radio rows in one exclusive group
// per parent, the shortcuts on the actions themselves. The menu bar, the popups and the window
// all trigger these same actions.
class ActionRegistry : public QObject
{
    Q_OBJECT
public:
    explicit ActionRegistry(QObject* parent = nullptr);
    ~ActionRegistry() override;

    // None for a key that is a submenu, a separator or no item at all.
    QAction* action(const QString& key) const { return m_actions.value(key, nullptr); }
    QActionGroup* group(const QString& parentKey) const
    {
        return m_groups.value(parentKey, nullptr);
    }
    // The action keys in menu order.
    const QStringList& keys() const { return m_keys; }
    // Shortcuts fire while the window is active, whether or not the menu bar is shown.
    void attachShortcutsTo(QWidget* window) const;

    void setEnabled(const QString& key, bool enabled);
    void setVisible(const QString& key, bool visible);
    void setChecked(const QString& key, bool checked);
    void setCaption(const QString& key, const QString& caption);

signals:
    // Every action reports its key when triggered, by click or by shortcut.
    void triggered(const QString& key);

private:
    QHash<QString, QAction*> m_actions;
    QHash<QString, QActionGroup*> m_groups;
    QStringList m_keys;
};
