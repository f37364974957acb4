#include "commands/CommandRegistry.h"

#include "commands/CommandTable.h"
#include "commands/MenuLayout.h"

#include <QAction>
#include <QActionGroup>

namespace {

std::size_t at(Command command)
{
    return static_cast<std::size_t>(command);
}

bool held(Command command)
{
    const int index = static_cast<int>(command);
    return index >= 0 && index < commandCount;
}

void addNamedItems(const MenuLayout::Entry& menu, std::vector<const MenuLayout::Entry*>& out)
{
    for (const MenuLayout::Entry& child : menu.children) {
        if (child.type == MenuLayout::Entry::Type::Submenu) {
            addNamedItems(child, out);
        } else if (child.type == MenuLayout::Entry::Type::Action && !child.name.isEmpty()) {
            out.push_back(&child);
        }
    }
}

} // namespace

CommandRegistry::CommandRegistry(QObject* parent) : QObject(parent)
{
    for (const CommandTable::Entry& row : CommandTable::entries()) {
        auto* action = new QAction(row.caption, this);
        action->setObjectName(row.key);
        if (row.moreShortcuts.isEmpty()) {
            action->setShortcut(row.shortcut);
        } else {
            action->setShortcuts(QList<QKeySequence>{row.shortcut} + row.moreShortcuts);
        }
        action->setCheckable(row.kind == CommandKind::Check);
        if (row.kind == CommandKind::Radio) {
            QActionGroup*& group = m_groups[static_cast<std::size_t>(row.group)];
            if (!group) {
                group = new QActionGroup(this);
            }
            action->setCheckable(true);
            action->setActionGroup(group);
        }
        action->setEnabled(row.enabled);
        action->setVisible(row.visible);
        if (action->isCheckable()) {
            action->setChecked(row.checked);
        }
        m_actions[at(row.command)] = action;
    }
    addPopupActions();
}

CommandRegistry::~CommandRegistry() = default;

void CommandRegistry::addPopupActions()
{
    std::vector<const MenuLayout::Entry*> items;
    for (const MenuLayout::Entry* popup :
         {&MenuLayout::fileMenu(), &MenuLayout::playMenu(), &MenuLayout::playListMenu()}) {
        addNamedItems(*popup, items);
    }
    for (const MenuLayout::Entry* item : items) {
        QAction*& own = m_popupActions[at(item->command)];
        if (own) {
            continue; // one item in two popups
        }
        const QAction* bar = m_actions[at(item->command)];
        own = new QAction(item->caption.isEmpty() ? bar->text() : item->caption, this);
        own->setObjectName(item->name);
        // Shown beside the item; the menu bar's action is the one the keys reach.
        own->setShortcuts(bar->shortcuts());
        // A popup may show several checks in one group, so its items stand alone.
        own->setCheckable(bar->isCheckable());
        own->setChecked(bar->isChecked());
        own->setVisible(bar->isVisible());
        // Enabled until a rule says otherwise: the popups' drive item lists the drives even
        // when none plays.
    }
}

QAction* CommandRegistry::action(Command command) const
{
    return held(command) ? m_actions[at(command)] : nullptr;
}

QAction* CommandRegistry::popupAction(Command command) const
{
    return held(command) ? m_popupActions[at(command)] : nullptr;
}

QActionGroup* CommandRegistry::group(CommandGroup group) const
{
    return m_groups[static_cast<std::size_t>(group)];
}

Command CommandRegistry::commandOf(const QAction* action) const
{
    for (int i = 0; i < commandCount; ++i) {
        const std::size_t index = static_cast<std::size_t>(i);
        if (action && (m_actions[index] == action || m_popupActions[index] == action)) {
            return static_cast<Command>(i);
        }
    }
    return Command::None;
}

QString CommandRegistry::literalText(const QString& text)
{
    QString literal = text;
    return literal.replace(u'&', QStringLiteral("&&"));
}
