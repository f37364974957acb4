#include "app/CommandBindings.h"

#include "commands/ClassicMenus.h"
#include "commands/MainMenuDispatch.h"
#include "playback/PlaybackSession.h"
#include "playback/SpeedSteps.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "playlist/RecentHistory.h"
#include "settings/SettingsStore.h"
#include "skin/SkinImages.h"
#include "skin/SkinPainter.h"
#include "ui/frame/MainWindow.h"
#include "ui/menus/ActionRegistry.h"
#include "ui/menus/ClassicPopups.h"
#include "ui/menus/MainMenuBar.h"
#include "ui/playlistview/FancyList.h"
#include "util/Logging.h"
#include "util/ToolPaths.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMenu>
#include <QPainter>

namespace {

const char* const kPlayModeKeys[] = {"PMNormal", "PMContinuous", "PMShuffle"};
const char* const kRepeatModeKeys[] = {"RMNoRepeat", "RMSingleRepeat", "RMRepeatAll"};

} // namespace

CommandBindings::CommandBindings(MainWindow& window, PlaybackSession& session, Playlist& playlist,
                                 PlaylistModel& model, RecentHistory& history,
                                 SettingsStore& settings, QObject* parent)
    : QObject(parent), m_window(window), m_session(session), m_playlist(playlist), m_model(model),
      m_history(history), m_settings(settings), m_actions(std::make_unique<ActionRegistry>()),
      m_popups(std::make_unique<ClassicPopups>(*m_actions)),
      m_openUrl([](const QUrl& url) { QDesktopServices::openUrl(url); }),
      m_aboutPainter([&window](QPainter& painter, int slot, const QRect& rect) {
          // The box draws from the same decoded skin as the window.
          SkinPainter::drawSkinImage(painter, window.skinImages().slot(slot), rect.x(), rect.y(),
                                     rect.width(), rect.height());
      })
{
    m_menuBar = new MainMenuBar(*m_actions, &window);
    m_actions->attachShortcutsTo(&window);
    apply({MenuEnabling::Event::StartUp, 0, {}, {}});
    connectParts();
}

CommandBindings::~CommandBindings() = default;

void CommandBindings::connectParts()
{
    connect(m_actions.get(), &ActionRegistry::triggered, this, &CommandBindings::dispatchKey);
    connect(m_popups.get(), &ClassicPopups::chosen, this, &CommandBindings::dispatchClassic);

    connect(&m_session, &PlaybackSession::controlStateChanged, this,
            [this](MediaControlState::State state) {
                apply({MenuEnabling::Event::ControlState, static_cast<int>(state), {}, {}});
            });
    connect(&m_session, &PlaybackSession::modesChanged, this, &CommandBindings::syncModeChecks);

    const auto countChanged = [this] {
        apply({MenuEnabling::Event::PlaylistCount, m_model.count(), {}, {}});
        m_popups->setPlaylistCount(m_model.count());
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
    connect(&m_history, &RecentHistory::menuItemChanged, this, &CommandBindings::showHistoryItem);
    for (int slot = 0; slot < RecentHistory::SlotCount; ++slot) {
        showHistoryItem(slot);
    }

    FancyList* list = m_window.playlistView();
    connect(list, &FancyList::pointerPressed, this,
            [this, list](Qt::MouseButton button, Qt::KeyboardModifiers, const QPointF& at) {
                if (button == Qt::RightButton) {
                    popupPlayListMenu(list->mapToGlobal(at.toPoint()));
                }
            });
    connect(&m_window, &MainWindow::playMenuRequested, this,
            [this](QPoint at) { popupPlayMenu(m_window.mapToGlobal(at)); });
    connect(&m_window, &MainWindow::trayMenuRequested, this, &CommandBindings::popupFileMenu);
}

void CommandBindings::dispatchKey(const QString& key)
{
    qCDebug(lcUi).noquote() << "command" << key;
    run(MainMenuDispatch::dispatchKey(key));
}

void CommandBindings::dispatchClassic(const QString& name)
{
    qCDebug(lcUi).noquote() << "command" << name;
    if (const ClassicMenus::Item* row = ClassicMenus::find(name)) {
        m_classicChoice = true;
        run(row->dispatch);
        m_classicChoice = false;
    }
}

void CommandBindings::run(const MenuDispatch& dispatch)
{
    const int argument = dispatch.argument;
    switch (dispatch.command) {
    case MenuCommand::None:
    case MenuCommand::PlayDrive:
        break;
    case MenuCommand::OpenFile:
        m_playlist.openFiles(false);
        break;
    case MenuCommand::Exit:
        m_window.close();
        break;
    case MenuCommand::PlayPause:
        playPause(dispatch.fromMainMenu);
        break;
    case MenuCommand::Stop:
        m_session.stop();
        if (dispatch.fromMainMenu) {
            apply({MenuEnabling::Event::StopCommand, 0, {}, {}});
        }
        break;
    case MenuCommand::PlayMode:
        m_session.setPlayMode(static_cast<PlayMode>(argument));
        qCDebug(lcUi).noquote() << "play order" << m_session.sequence().lines().join(u' ');
        break;
    case MenuCommand::RepeatMode:
        m_session.setRepeatMode(static_cast<RepeatMode>(argument));
        break;
    case MenuCommand::FullScreen:
        m_session.fullScreen();
        break;
    case MenuCommand::IncreaseSpeed:
    case MenuCommand::DecreaseSpeed:
    case MenuCommand::ResetSpeed:
        changeSpeed(dispatch.command);
        break;
    case MenuCommand::AfterPlay:
        m_session.chooseAfterPlay(argument);
        break;
    case MenuCommand::AddVideoFile:
        // The files arrive after their probes; the first one to land is selected when nothing is.
        m_selectFirstOnAdd = dispatch.fromMainMenu;
        m_playlist.openFiles(true);
        if (m_selectFirstOnAdd && m_model.count() > 0 && m_model.selectedItem() < 0) {
            m_model.select(0);
        }
        break;
    case MenuCommand::Remove:
        m_playlist.removeSelected();
        break;
    case MenuCommand::RemoveAll:
        m_playlist.removeAll();
        break;
    case MenuCommand::Next:
        m_session.next();
        break;
    case MenuCommand::Previous:
        m_session.previous();
        break;
    case MenuCommand::Options:
        m_window.setTopmost(false);
        emit optionsRequested();
        m_window.setTopmost(m_settings.alwaysOnTop());
        break;
    case MenuCommand::About:
        showAbout();
        break;
    case MenuCommand::HelpTopics:
        openHelp();
        break;
    case MenuCommand::History:
        if (const std::optional<RecentHistory::Entry> entry = m_history.entry(argument)) {
            m_playlist.addEntry(entry->title, entry->path, false, true);
        }
        break;
    }
}

void CommandBindings::playPause(bool fromMainMenu)
{
    if (m_model.count() > 0) {
        m_session.pause();
        return;
    }
    m_playlist.openFiles(false);
    if (fromMainMenu) {
        apply({MenuEnabling::Event::PlayPauseOnEmpty, 0, {}, {}});
    }
}

void CommandBindings::changeSpeed(MenuCommand command)
{
    // The same verdict the session reaches, read first so the menu can follow it.
    const double rate = m_session.playbackRate();
    const bool active = m_session.flags().MediaActive;
    std::optional<SpeedSteps::Change> change;
    if (command == MenuCommand::IncreaseSpeed) {
        change = SpeedSteps::increase(rate, active);
        m_session.increaseSpeed();
    } else if (command == MenuCommand::DecreaseSpeed) {
        change = SpeedSteps::decrease(rate, active);
        m_session.decreaseSpeed();
    } else {
        change = SpeedSteps::reset(active);
        m_session.resetSpeed();
    }
    if (change) {
        apply({MenuEnabling::Event::SpeedChanged, 0, change->increaseEnabled,
               change->decreaseEnabled});
    }
}

void CommandBindings::apply(const MenuEnabling::Event& event)
{
    m_enabling = nextMenuEnabling(m_enabling, event);
    for (const QString& key : MenuEnabling::keys()) {
        m_actions->setEnabled(key, *m_enabling.enabled(key));
    }
}

void CommandBindings::syncModeChecks()
{
    if (m_classicChoice) {
        return;
    }
    const Settings& stored = m_settings.settings();
    const auto playMode = static_cast<int>(stored.playMode);
    if (playMode >= 0 && playMode <= 2) {
        m_actions->setChecked(QString::fromLatin1(kPlayModeKeys[playMode]), true);
    }
    const auto repeatMode = static_cast<int>(stored.repeatMode);
    if (repeatMode >= 0 && repeatMode <= 2) {
        m_actions->setChecked(QString::fromLatin1(kRepeatModeKeys[repeatMode]), true);
    }
    const int action = static_cast<int>(m_session.afterPlay().action());
    if (action >= 0 && action < AfterPlay::menuKeys().size()) {
        m_actions->setChecked(AfterPlay::menuKeys().at(action), true);
    }
}

void CommandBindings::showHistoryItem(int slot)
{
    const QString key = RecentHistory::menuKey(slot);
    const RecentHistory::MenuItem item = m_history.menuItem(slot);
    if (slot == 0 && item.caption.isEmpty()) {
        return; // "<No History>" stays as the tree made it
    }
    m_actions->setCaption(key, item.caption);
    m_actions->setVisible(key, item.visible);
    m_actions->setEnabled(key, item.enabled);
}

void CommandBindings::popupPlayMenu(QPoint globalPosition)
{
    const Settings& stored = m_settings.settings();
    ClassicPopups::PlayContext context;
    context.playMode = static_cast<int>(stored.playMode);
    context.repeatMode = static_cast<int>(stored.repeatMode);
    context.afterPlayAction = static_cast<int>(m_session.afterPlay().action());
    context.mediaActive = m_session.flags().MediaActive;
    m_popups->setPlayContext(context);
    m_popups->popupPlayMenu(globalPosition);
}

void CommandBindings::popupPlayListMenu(QPoint globalPosition)
{
    m_popups->setPlaylistCount(m_model.count());
    m_popups->popupPlayListMenu(globalPosition);
}

void CommandBindings::popupFileMenu(QPoint globalPosition)
{
    m_popups->popupFileMenu(globalPosition);
}

void CommandBindings::showAbout()
{
    m_window.setTopmost(false);
    AboutBox box(m_aboutPainter, m_openUrl, &m_window);
    // Centred on the window that owns it.
    box.move(m_window.geometry().center() - box.rect().center());
    emit aboutShown(&box);
    box.exec();
    m_window.setTopmost(m_settings.alwaysOnTop());
}

QString CommandBindings::helpPagePath() const
{
    return korvane::programFolder() + QStringLiteral("help/index.html");
}

void CommandBindings::openHelp()
{
    const QString path = helpPagePath();
    if (!QFileInfo(path).isFile()) {
        qCDebug(lcUi).noquote() << "no help page at" << path;
        return;
    }
    m_openUrl(QUrl::fromLocalFile(path));
}
