#include "ui/menus/ActionRegistry.h"

#include "commands/MainMenuTree.h"

#include <QAction>
#include <QActionGroup>
#include <QWidget>

ActionRegistry::ActionRegistry(QObject* parent) : QObject(parent)
{
    for (const MainMenuTree::Item& item : MainMenuTree::items()) {
        if (item.key.isEmpty() || MainMenuTree::hasChildren(item.key)) {
            continue;
        }
        auto* action = new QAction(item.caption, this);
        action->setObjectName(item.key);
        action->setShortcut(MainMenuTree::shortcutOf(item));
        action->setEnabled(item.enabled);
        action->setVisible(item.visible);
        if (item.kind == MainMenuTree::Kind::Radio) {
            QActionGroup*& group = m_groups[item.parent];
            if (!group) {
                group = new QActionGroup(this);
                group->setExclusive(true);
            }
            action->setCheckable(true);
            action->setActionGroup(group);
        }
        action->setChecked(item.checked);
        const QString key = item.key;
        connect(action, &QAction::triggered, this, [this, key] { emit triggered(key); });
        m_actions.insert(key, action);
        m_keys.append(key);
    }
}

ActionRegistry::~ActionRegistry() = default;

void ActionRegistry::attachShortcutsTo(QWidget* window) const
{
    for (const QString& key : m_keys) {
        QAction* a = m_actions.value(key);
        if (!a->shortcut().isEmpty()) {
            window->addAction(a);
        }
    }
}

void ActionRegistry::setEnabled(const QString& key, bool enabled)
{
    if (QAction* a = action(key)) {
        a->setEnabled(enabled);
    }
}

void ActionRegistry::setVisible(const QString& key, bool visible)
{
    if (QAction* a = action(key)) {
        a->setVisible(visible);
    }
}

void ActionRegistry::setChecked(const QString& key, bool checked)
{
    if (QAction* a = action(key)) {
        a->setChecked(checked);
    }
}

void ActionRegistry::setCaption(const QString& key, const QString& caption)
{
    if (QAction* a = action(key)) {
        a->setText(caption);
    }
}
