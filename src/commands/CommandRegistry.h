#pragma once

#include "commands/ActionFace.h"
#include "commands/Command.h"

#include <QObject>
#include <array>

class QAction;
class QActionGroup;

// One QAction per command, shared by the menu bar, the popups, the skin buttons, the keys and
// the media keys. Each action keeps two faces, one for the menu bar and one for the popups; the
// face of the surface on show is the one the action wears.
class CommandRegistry : public QObject
{
    Q_OBJECT
public:
    explicit CommandRegistry(QObject* parent = nullptr);
    ~CommandRegistry() override;

    QAction* action(Command command) const;
    QActionGroup* group(CommandGroup group) const;
    // The command an action stands for, or None for an action not held here.
    Command commandOf(const QAction* action) const;

    const ActionFace& face(CommandOrigin surface, Command command) const;
    void setFace(CommandOrigin surface, Command command, const ActionFace& face);
    // Both surfaces alike.
    void setText(Command command, const QString& text);
    // A caption made from a file name or a disc label, shown as it is: an "&" in it is no
    // access key.
    static QString literalText(const QString& text);
    void setVisible(Command command, bool visible);
    void setEnabled(Command command, bool enabled);

    // Which surface is on show; the popups switch it while they are open.
    CommandOrigin surface() const { return m_surface; }
    void showSurface(CommandOrigin surface);

    // Triggers a command as if chosen on a surface (the media keys use Direct).
    void trigger(Command command, CommandOrigin origin = CommandOrigin::Direct);

signals:
    // Every action reports here when triggered, by click, key or call, with the surface on show.
    void triggered(Command command, CommandOrigin origin);

private:
    void wear(Command command);

    std::array<QAction*, commandCount> m_actions{};
    std::array<QActionGroup*, 4> m_groups{};
    std::array<std::array<ActionFace, commandCount>, 2> m_faces;
    CommandOrigin m_surface = CommandOrigin::Direct;
};
