#include "app/CommandHandlers.h"

#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "commands/MenuId.h"
#include "playback/PlaybackSession.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "playlist/RecentHistory.h"
#include "settings/SettingsStore.h"
#include "skin/SkinImages.h"
#include "skin/SkinPainter.h"
#include "system/UserMessages.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/frame/MainWindow.h"
#include "ui/menus/ClassicPopups.h"
#include "util/Logging.h"
#include "util/Product.h"
#include "util/ToolPaths.h"

#include <QAction>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>
#include <algorithm>

CommandHandlers::CommandHandlers(CommandRegistry& registry, MainWindow& window,
                                 PlaybackSession& session, Playlist& playlist,
                                 RecentHistory& history, SettingsStore& settings,
                                 UserMessages& messages, FileAssociations& associations,
                                 QObject* parent)
    : QObject(parent), m_registry(registry), m_window(window), m_session(session),
      m_playlist(playlist), m_model(playlist.model()), m_history(history), m_settings(settings),
      m_messages(messages), m_associations(associations),
      m_popups(std::make_unique<ClassicPopups>(registry)),
      m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }),
      m_aboutPainter([&window](QPainter& painter, int slot, const QRect& rect) {
          // The box draws from the same decoded skin as the window.
          SkinPainter::drawSkinImage(painter, window.skinImages().slot(slot), rect.x(), rect.y(),
                                     rect.width(), rect.height());
      })
{
    m_view.enabling = nextMenuEnabling(m_view.enabling, {MenuEnabling::Event::StartUp});
    followModes();
    connectParts();
}

CommandHandlers::~CommandHandlers() = default;

void CommandHandlers::connectParts()
{
    connect(&m_session, &PlaybackSession::controlStateChanged, this,
            [this](MediaControlState::State state) {
                const bool active =
                    state == MediaControlState::Playing || state == MediaControlState::Paused;
                apply({MenuEnabling::Event::MediaControl, active ? 1 : 0});
            });
    connect(&m_session, &PlaybackSession::speedLimitsChanged, this,
            [this](bool canIncrease, bool canDecrease) {
                apply({MenuEnabling::Event::SpeedLimits, 0, canIncrease, canDecrease});
            });
    connect(&m_session, &PlaybackSession::modesChanged, this, [this] {
        if (!m_popupChoice) {
            followModes();
            refresh();
        }
    });

    const auto countChanged = [this] {
        m_view.playlistCount = m_model.count();
        apply({MenuEnabling::Event::PlaylistCount, m_model.count()});
    };
    connect(&m_model, &PlaylistModel::entryAdded, this, [this, countChanged](int) {
        if (m_selectFirstOnAdd && m_model.selectedItem() < 0) {
            m_model.select(0);
        }
        m_selectFirstOnAdd = false;
        countChanged();
    });
    connect(&m_model, &PlaylistModel::entryRemoved, this, countChanged);
    connect(&m_model, &PlaylistModel::cleared, this, countChanged);
    connect(&m_history, &RecentHistory::menuItemChanged, this, &CommandHandlers::showHistoryItem);
    for (int slot = 0; slot < RecentHistory::SlotCount; ++slot) {
        showHistoryItem(slot);
    }
    connectPopups();
    refresh();
}

void CommandHandlers::connectPopups()
{
    connect(m_popups.get(), &ClassicPopups::playMenuOpening, this, [this] {
        m_view.popup = PopupChecks::playMenuOpening(
            m_view.popup, static_cast<int>(m_session.playMode()),
            static_cast<int>(m_session.repeatMode()), m_session.flags().mediaActive);
        refresh();
        // A track list with nothing to choose is greyed rather than opening empty.
        for (MenuId id : {MenuId::PopupAudioTrack, MenuId::PopupSubtitle}) {
            if (QMenu* tracks = m_popups->menu(id)) {
                const QList<QAction*> items = tracks->actions();
                tracks->menuAction()->setEnabled(
                    std::any_of(items.begin(), items.end(), [](const QAction* item) {
                        return !item->isSeparator() && item->isVisible() && item->isEnabled();
                    }));
            }
        }
    });
    connect(m_popups.get(), &ClassicPopups::afterMenuOpening, this, [this] {
        m_view.popup = PopupChecks::afterMenuOpening(
            m_view.popup, static_cast<int>(m_session.afterPlay().action()));
        refresh();
    });
    connect(m_popups.get(), &ClassicPopups::playListMenuOpening, this, &CommandHandlers::refresh);
}

void CommandHandlers::playPause()
{
    if (m_model.count() == 0) {
        apply({MenuEnabling::Event::PlayPauseOnEmpty});
    }
    m_session.playPause();
}

void CommandHandlers::stop()
{
    m_session.stop();
    apply({MenuEnabling::Event::StopCommand});
}

void CommandHandlers::toggleFullScreen()
{
    if (m_window.isVideoFullScreen()) {
        m_window.setVideoFullScreen(false);
    } else {
        m_session.fullScreen();
    }
}

void CommandHandlers::addFiles(bool selectFirst)
{
    // The files arrive after their probes; the first one to land is selected when nothing is.
    m_selectFirstOnAdd = selectFirst;
    m_playlist.openFiles(true);
    if (m_selectFirstOnAdd && m_model.count() > 0 && m_model.selectedItem() < 0) {
        m_model.select(0);
    }
}

void CommandHandlers::playHistory(int slot)
{
    if (const std::optional<RecentHistory::Entry> entry = m_history.entry(slot)) {
        m_playlist.addEntry(entry->title, entry->path, false, true);
    }
}

void CommandHandlers::choose(Command command)
{
    runChoice(command, false);
}

void CommandHandlers::chooseInPopup(Command command)
{
    runChoice(command, true);
}

void CommandHandlers::runChoice(Command command, bool inPopup)
{
    const int index = CommandTable::indexInGroup(command);
    m_popupChoice = inPopup;
    switch (CommandTable::entry(command).group) {
    case CommandGroup::PlayMode:
        if (inPopup) {
            m_view.popup = PopupChecks::playModeChosen(m_view.popup, index);
        }
        m_session.setPlayMode(static_cast<PlayMode>(index));
        qCDebug(lcUi).noquote() << "play order" << m_session.sequence().lines().join(u' ');
        break;
    case CommandGroup::RepeatMode:
        if (inPopup) {
            m_view.popup = PopupChecks::repeatModeChosen(m_view.popup, index);
        }
        m_session.setRepeatMode(static_cast<RepeatMode>(index));
        break;
    case CommandGroup::AfterPlay:
        if (inPopup) {
            m_view.popup = PopupChecks::afterPlayChosen(m_view.popup, index);
        }
        m_session.chooseAfterPlay(index);
        break;
    case CommandGroup::None:
        break;
    }
    m_popupChoice = false;
    refresh();
}

void CommandHandlers::apply(const MenuEnabling::Event& event)
{
    m_view.enabling = nextMenuEnabling(m_view.enabling, event);
    refresh();
}

void CommandHandlers::refresh()
{
    const auto show = [](QAction* action, const CommandStates::State& state) {
        if (!action) {
            return;
        }
        action->setEnabled(state.enabled);
        if (state.checked) {
            action->setChecked(*state.checked);
        }
    };
    for (const CommandStates::State& state : CommandStates::menuBar(m_view)) {
        show(m_registry.action(state.command), state);
    }
    for (const CommandStates::State& state : CommandStates::popups(m_view)) {
        show(m_registry.popupAction(state.command), state);
    }
}

void CommandHandlers::followModes()
{
    m_view.playMode = static_cast<int>(m_session.playMode());
    m_view.repeatMode = static_cast<int>(m_session.repeatMode());
    m_view.afterPlay = static_cast<int>(m_session.afterPlay().action());
}

void CommandHandlers::showHistoryItem(int slot)
{
    const RecentHistory::MenuItem item = m_history.menuItem(slot);
    if (slot == 0 && item.caption.isEmpty()) {
        return; // "<No History>" stays as the table made it
    }
    QAction* action = m_registry.action(CommandTable::historySlot(slot));
    action->setText(CommandRegistry::literalText(item.caption));
    action->setVisible(item.visible);
    action->setEnabled(item.enabled);
}

void CommandHandlers::popupPlayMenu(QPoint globalPosition)
{
    m_popups->popupPlayMenu(globalPosition);
}

void CommandHandlers::popupPlayListMenu(QPoint globalPosition)
{
    m_popups->popupPlayListMenu(globalPosition);
}

void CommandHandlers::popupFileMenu(QPoint globalPosition)
{
    m_popups->popupFileMenu(globalPosition);
}

void CommandHandlers::showAbout()
{
    m_window.setTopmost(false);
    AboutBox box(m_aboutPainter, m_openUrl, &m_window);
    // Centred on the window that owns it.
    box.move(m_window.geometry().center() - box.rect().center());
    emit aboutShown(&box);
    box.exec();
    m_window.setTopmost(m_settings.alwaysOnTop());
}

void CommandHandlers::showOptions()
{
    SettingsDialog dialog(
        m_settings, m_associations, m_window.skinImages(), [this] { return m_window.placement(); },
        &m_window);
    // After the dialog has read the settings file, which applies them to the window again.
    m_window.setTopmost(false);
    dialog.move(m_window.geometry().center() - dialog.rect().center());
    emit optionsShown(&dialog);
    dialog.exec();
    m_window.setTopmost(m_settings.alwaysOnTop());
}

void CommandHandlers::showMediaInfo()
{
    const int selected = m_model.selectedItem();
    m_messages.show(UserMessages::Icon::None, korvane::kApplicationTitle,
                    selected >= 0 ? m_model.mediaInfo(selected) : QString());
}

QString CommandHandlers::helpPagePath() const
{
    return korvane::programFolder() + QStringLiteral("help/index.html");
}

void CommandHandlers::openHelp()
{
    const QString path = helpPagePath();
    if (!QFileInfo(path).isFile()) {
        qCDebug(lcUi).noquote() << "no help page at" << path;
        return;
    }
    m_openUrl(QUrl::fromLocalFile(path));
}
