#pragma once

#include "commands/Command.h"

#include <QObject>
#include <array>

class QAction;
class QActionGroup;

// One QAction per command, shared by the menu bar, the skin buttons, the keys and the media keys,
// and one more for each popup item that shows a caption, a check or an enabled state of its own
// or logs a name of its own. Both actions of a command are bound to the same handler; each shows
// only what its own surface shows.
class CommandRegistry : public QObject
{
    Q_OBJECT
public:
    explicit CommandRegistry(QObject* parent = nullptr);
    ~CommandRegistry() override;

    QAction* action(Command command) const;
    // The popups' own action of a command, or none where they show the menu bar's.
    QAction* popupAction(Command command) const;
    QActionGroup* group(CommandGroup group) const;
    // The command an action of either kind stands for, or None for an action not held here.
    Command commandOf(const QAction* action) const;

    // A caption made from a file name or a disc label, shown as it is: an "&" in it is no
    // access key.
    static QString literalText(const QString& text);

private:
    void addPopupActions();

    std::array<QAction*, commandCount> m_actions{};
    std::array<QAction*, commandCount> m_popupActions{};
    std::array<QActionGroup*, 4> m_groups{};
};
