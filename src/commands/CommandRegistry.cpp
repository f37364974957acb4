#include "commands/CommandRegistry.h"

#include "commands/CommandTable.h"

#include <QAction>
#include <QActionGroup>

namespace {

std::size_t at(Command command)
{
    return static_cast<std::size_t>(command);
}

std::size_t at(CommandOrigin surface)
{
    return static_cast<std::size_t>(surface);
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
        ActionFace direct{row.caption, row.enabled, row.visible, row.checked};
        ActionFace popup = direct;
        if (!row.popupCaption.isEmpty()) {
            popup.text = row.popupCaption;
        }
        // The popups' drive item lists the drives even when none plays.
        if (row.command == Command::DvdDrive0) {
            popup.enabled = true;
        }
        m_faces[at(CommandOrigin::Direct)][at(row.command)] = direct;
        m_faces[at(CommandOrigin::Popup)][at(row.command)] = popup;
        const Command command = row.command;
        connect(action, &QAction::triggered, this,
                [this, command] { emit triggered(command, m_surface); });
        m_actions[at(row.command)] = action;
        wear(command);
    }
}

CommandRegistry::~CommandRegistry() = default;

QAction* CommandRegistry::action(Command command) const
{
    const int index = static_cast<int>(command);
    return index >= 0 && index < commandCount ? m_actions[at(command)] : nullptr;
}

QActionGroup* CommandRegistry::group(CommandGroup group) const
{
    return m_groups[static_cast<std::size_t>(group)];
}

Command CommandRegistry::commandOf(const QAction* action) const
{
    for (int i = 0; i < commandCount; ++i) {
        if (m_actions[static_cast<std::size_t>(i)] == action) {
            return static_cast<Command>(i);
        }
    }
    return Command::None;
}

const ActionFace& CommandRegistry::face(CommandOrigin surface, Command command) const
{
    static const ActionFace none;
    return action(command) ? m_faces[at(surface)][at(command)] : none;
}

void CommandRegistry::setFace(CommandOrigin surface, Command command, const ActionFace& face)
{
    if (!action(command)) {
        return;
    }
    m_faces[at(surface)][at(command)] = face;
    if (surface == m_surface) {
        wear(command);
    }
}

void CommandRegistry::setText(Command command, const QString& text)
{
    for (CommandOrigin surface : {CommandOrigin::Direct, CommandOrigin::Popup}) {
        ActionFace changed = face(surface, command);
        changed.text = text;
        setFace(surface, command, changed);
    }
}

QString CommandRegistry::literalText(const QString& text)
{
    QString literal = text;
    return literal.replace(u'&', QStringLiteral("&&"));
}

void CommandRegistry::setVisible(Command command, bool visible)
{
    for (CommandOrigin surface : {CommandOrigin::Direct, CommandOrigin::Popup}) {
        ActionFace changed = face(surface, command);
        changed.visible = visible;
        setFace(surface, command, changed);
    }
}

void CommandRegistry::setEnabled(Command command, bool enabled)
{
    for (CommandOrigin surface : {CommandOrigin::Direct, CommandOrigin::Popup}) {
        ActionFace changed = face(surface, command);
        changed.enabled = enabled;
        setFace(surface, command, changed);
    }
}

void CommandRegistry::showSurface(CommandOrigin surface)
{
    if (surface == m_surface) {
        return;
    }
    m_surface = surface;
    // The popups may show several checks in one group; the menu bar keeps one.
    for (QActionGroup* group : m_groups) {
        if (group) {
            group->setExclusionPolicy(surface == CommandOrigin::Direct
                                          ? QActionGroup::ExclusionPolicy::Exclusive
                                          : QActionGroup::ExclusionPolicy::None);
        }
    }
    for (int i = 0; i < commandCount; ++i) {
        wear(static_cast<Command>(i));
    }
}

void CommandRegistry::trigger(Command command, CommandOrigin origin)
{
    QAction* target = action(command);
    if (!target) {
        return;
    }
    const CommandOrigin before = m_surface;
    showSurface(origin);
    target->trigger();
    showSurface(before);
}

void CommandRegistry::wear(Command command)
{
    QAction* target = m_actions[at(command)];
    const ActionFace& worn = m_faces[at(m_surface)][at(command)];
    target->setText(worn.text);
    target->setEnabled(worn.enabled);
    target->setVisible(worn.visible);
    if (target->isCheckable()) {
        target->setChecked(worn.checked);
    }
}
