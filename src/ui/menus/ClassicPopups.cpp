#include "ui/menus/ClassicPopups.h"

#include "ui/menus/ActionRegistry.h"
#include "ui/menus/MenuStyle.h"
#include "util/Logging.h"

#include <QAction>
#include <QMenu>

namespace {

const QString kRecentMenu = QStringLiteral("mnuRecentMenu");

QString playModeItem(int mode)
{
    static const char* const names[] = {"mnuPBNormal", "mnuPBCont", "mnuPBShuffle"};
    return QString::fromLatin1(names[mode]);
}

QString repeatModeItem(int mode)
{
    static const char* const names[] = {"mnuRMNoRepeat", "mnuRMSingleRepeat", "mnuRMRepeatAll"};
    return QString::fromLatin1(names[mode]);
}

} // namespace

ClassicPopups::ClassicPopups(ActionRegistry& registry, QObject* parent)
    : QObject(parent), m_registry(registry)
{
    for (const ClassicMenus::Item& row : ClassicMenus::items()) {
        QMenu* parentMenu = m_menus.value(row.parent, nullptr);
        if (row.parent.isEmpty() || ClassicMenus::hasChildren(row.name)) {
            // Top-level menus have no parent widget: they are only ever popped up.
            auto* menu = new QMenu(row.caption, parentMenu);
            menu->setObjectName(row.name);
            if (parentMenu) {
                parentMenu->addMenu(menu);
            } else {
                menu->setStyleSheet(MenuStyle::styleSheet());
                m_topMenus.append(menu);
            }
            m_menus.insert(row.name, menu);
            continue;
        }
        if (!parentMenu) {
            continue;
        }
        if (row.separator()) {
            parentMenu->addSeparator()->setObjectName(row.name);
            continue;
        }
        if (row.parent == kRecentMenu) {
            // The history lives in the main menu's actions; this submenu shows the same ones.
            for (int slot = 0; slot <= 10; ++slot) {
                if (QAction* history = registry.action(QStringLiteral("History%1").arg(slot))) {
                    parentMenu->addAction(history);
                }
            }
            continue;
        }
        // The shortcut is shown, not bound: the main menu's actions own the keys.
        QString text = row.caption;
        if (!row.shortcut.isEmpty()) {
            text += u'\t' + row.shortcut;
        }
        QAction* action = parentMenu->addAction(text);
        action->setObjectName(row.name);
        action->setEnabled(row.enabled);
        const bool checkable = row.dispatch.command == MenuCommand::PlayMode ||
                               row.dispatch.command == MenuCommand::RepeatMode ||
                               row.dispatch.command == MenuCommand::AfterPlay;
        action->setCheckable(checkable);
        const QString name = row.name;
        connect(action, &QAction::triggered, this, [this, name] { choose(name); });
        m_items.insert(name, action);
    }
    connect(menu(QStringLiteral("mnuPlayBackMenu")), &QMenu::aboutToShow, this,
            &ClassicPopups::refreshPlayMenu);
    connect(menu(QStringLiteral("mnuAfterMenu")), &QMenu::aboutToShow, this,
            &ClassicPopups::refreshAfterMenu);
    connect(menu(QStringLiteral("mnuPlayListmenu")), &QMenu::aboutToShow, this,
            &ClassicPopups::refreshPlayListMenu);
}

ClassicPopups::~ClassicPopups()
{
    qDeleteAll(m_topMenus);
}

void ClassicPopups::popupFileMenu(QPoint globalPosition)
{
    qCDebug(lcUi) << "popup mnuFileMenu";
    menu(QStringLiteral("mnuFileMenu"))->popup(globalPosition);
}

void ClassicPopups::popupPlayMenu(QPoint globalPosition)
{
    qCDebug(lcUi) << "popup mnuPlayBackMenu";
    menu(QStringLiteral("mnuPlayBackMenu"))->popup(globalPosition);
}

void ClassicPopups::popupPlayListMenu(QPoint globalPosition)
{
    qCDebug(lcUi) << "popup mnuPlayListmenu";
    menu(QStringLiteral("mnuPlayListmenu"))->popup(globalPosition);
}

void ClassicPopups::refreshPlayMenu()
{
    m_state = ClassicMenus::playMenuOpening(m_state, m_context.playMode, m_context.repeatMode,
                                            m_context.mediaActive);
    applyChecks();
    for (const QString& name : ClassicMenus::mediaItemNames()) {
        bool enabled = m_state.mediaItemsEnabled;
        // The speed items also keep to their main-menu twins, which know the rate's limits.
        const MenuCommand command = ClassicMenus::find(name)->dispatch.command;
        if (command == MenuCommand::IncreaseSpeed) {
            enabled = enabled && m_registry.action(QStringLiteral("IncreaseSpeed"))->isEnabled();
        } else if (command == MenuCommand::DecreaseSpeed) {
            enabled = enabled && m_registry.action(QStringLiteral("DecreaseSpeed"))->isEnabled();
        }
        item(name)->setEnabled(enabled);
    }
}

void ClassicPopups::refreshAfterMenu()
{
    m_state = ClassicMenus::afterMenuOpening(m_state, m_context.afterPlayAction);
    applyChecks();
}

void ClassicPopups::refreshPlayListMenu()
{
    const bool enabled = ClassicMenus::playListItemsEnabled(m_playlistCount);
    for (const char* name : {"mnuPlayListRemove", "mnuPlayListRemoveAll", "mnuNext", "mnuPrev"}) {
        item(QString::fromLatin1(name))->setEnabled(enabled);
    }
}

void ClassicPopups::choose(const QString& name)
{
    const ClassicMenus::Item* row = ClassicMenus::find(name);
    if (!row) {
        return;
    }
    switch (row->dispatch.command) {
    case MenuCommand::PlayMode:
        m_state = ClassicMenus::playModeChosen(m_state, row->dispatch.argument);
        break;
    case MenuCommand::RepeatMode:
        m_state = ClassicMenus::repeatModeChosen(m_state, row->dispatch.argument);
        break;
    case MenuCommand::AfterPlay:
        m_state = ClassicMenus::afterPlayChosen(m_state, row->dispatch.argument);
        break;
    default:
        break;
    }
    applyChecks();
    emit chosen(name);
}

void ClassicPopups::applyChecks()
{
    for (int i = 0; i < 3; ++i) {
        item(playModeItem(i))->setChecked(m_state.playMode[static_cast<std::size_t>(i)]);
        item(repeatModeItem(i))->setChecked(m_state.repeatMode[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < 4; ++i) {
        item(QStringLiteral("mnuAfterPlaying(%1)").arg(i))
            ->setChecked(m_state.afterPlay[static_cast<std::size_t>(i)]);
    }
}
