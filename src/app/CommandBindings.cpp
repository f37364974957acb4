#include "app/CommandBindings.h"

#include "app/CommandHandlers.h"
#include "app/ControlHandlers.h"
#include "app/MprisBridge.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "playback/ControlSteps.h"
#include "playback/DvdPlayback.h"
#include "playback/PlaybackSession.h"
#include "playlist/Playlist.h"
#include "system/MprisService.h"
#include "ui/frame/MainWindow.h"
#include "ui/menus/ClassicPopups.h"
#include "util/Logging.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr char kHandlers[] = "handlers";

template <typename Handler> void bindAction(QAction* action, QObject* context, Handler handler)
{
    if (!action) {
        return;
    }
    action->setProperty(kHandlers, CommandBindings::handlerCount(action) + 1);
    QObject::connect(action, &QAction::triggered, context, [action, handler] {
        qCDebug(lcUi).noquote() << "command" << action->objectName();
        handler();
    });
}

// The menu bar's action to one handler, the popup's own to another.
template <typename Bar, typename Popup>
void bind(CommandRegistry& registry, Command command, QObject* context, Bar bar, Popup popup)
{
    bindAction(registry.action(command), context, bar);
    bindAction(registry.popupAction(command), context, popup);
}

template <typename Handler>
void bind(CommandRegistry& registry, Command command, QObject* context, Handler handler)
{
    bind(registry, command, context, handler, handler);
}

void bindPlayback(CommandRegistry& r, CommandHandlers& commands, PlaybackSession& session)
{
    using C = Command;
    CommandHandlers* h = &commands;
    PlaybackSession* s = &session;
    // The popup's Play/Pause and Stop leave the menu bar's enabling to the play state.
    bind(
        r, C::PlayPause, h, [h] { h->playPause(); }, [s] { s->playPause(); });
    bind(r, C::Play, s, [s] { s->play(); });
    bind(
        r, C::Stop, h, [h] { h->stop(); }, [s] { s->stop(); });
    bind(r, C::FullScreen, h, [h] { h->toggleFullScreen(); });
    bind(r, C::IncreaseSpeed, s, [s] { s->increaseSpeed(); });
    bind(r, C::DecreaseSpeed, s, [s] { s->decreaseSpeed(); });
    bind(r, C::ResetSpeed, s, [s] { s->resetSpeed(); });
    bind(r, C::Next, s, [s] { s->next(); });
    bind(r, C::Previous, s, [s] { s->previous(); });
    bind(r, C::Mute, s, [s] { s->toggleMute(); });
    // A popup's radio checks only the popup's own item.
    for (const CommandTable::Entry& row : CommandTable::entries()) {
        if (row.group != CommandGroup::None) {
            const Command radio = row.command;
            bind(
                r, radio, h, [h, radio] { h->choose(radio); },
                [h, radio] { h->chooseInPopup(radio); });
        }
    }
}

void bindPlaylist(CommandRegistry& r, CommandHandlers& commands, Playlist& playlist)
{
    using C = Command;
    CommandHandlers* h = &commands;
    Playlist* p = &playlist;
    bind(r, C::OpenFile, p, [p] { p->openFiles(false); });
    // Like Open: the folder's files join the list and the first one taken in plays.
    bind(r, C::OpenFolder, p, [p] { p->openFolder(false); });
    bind(
        r, C::AddFiles, h, [h] { h->addFiles(true); }, [h] { h->addFiles(false); });
    bind(r, C::Remove, p, [p] { p->removeSelected(); });
    bind(r, C::RemoveAll, p, [p] { p->removeAll(); });
    for (int slot = 0; slot <= 10; ++slot) {
        bind(r, CommandTable::historySlot(slot), h, [h, slot] { h->playHistory(slot); });
    }
}

void bindWindow(CommandRegistry& r, CommandHandlers& commands, MainWindow& window)
{
    using C = Command;
    CommandHandlers* h = &commands;
    MainWindow* w = &window;
    bind(r, C::Exit, w, [w] { w->close(); });
    bind(r, C::TogglePlaylist, w, [w] { w->togglePlaylist(); });
    bind(r, C::DvdMenu, w, [w] { w->popupDriveMenu(); });
    bind(r, C::Options, h, [h] { h->showOptions(); });
    bind(r, C::About, h, [h] { h->showAbout(); });
    bind(r, C::HelpTopics, h, [h] { h->openHelp(); });
    bind(r, C::MediaInfo, h, [h] { h->showMediaInfo(); });
    QObject::connect(w, &MainWindow::contextMenuRequested, h,
                     [h](MainWindow::ContextMenu menu, QPoint at) {
                         switch (menu) {
                         case MainWindow::ContextMenu::Play:
                             h->popupPlayMenu(at);
                             break;
                         case MainWindow::ContextMenu::PlayList:
                             h->popupPlayListMenu(at);
                             break;
                         case MainWindow::ContextMenu::File:
                             h->popupFileMenu(at);
                             break;
                         }
                     });
}

} // namespace

int CommandBindings::handlerCount(const QAction* action)
{
    return action ? action->property(kHandlers).toInt() : 0;
}

void CommandBindings::bindCommands(CommandRegistry& registry, CommandHandlers& commands,
                                   PlaybackSession& session, Playlist& playlist, MainWindow& window)
{
    bindPlayback(registry, commands, session);
    bindPlaylist(registry, commands, playlist);
    bindWindow(registry, commands, window);
}

void CommandBindings::bindControls(CommandRegistry& registry, ControlHandlers& controls,
                                   MainWindow& window)
{
    using C = Command;
    CommandRegistry& r = registry;
    ControlHandlers* c = &controls;
    bind(r, C::SeekBack, c, [c] { c->seekBy(-ControlSteps::ShortSeekMs); });
    bind(r, C::SeekForward, c, [c] { c->seekBy(ControlSteps::ShortSeekMs); });
    bind(r, C::SeekBackLong, c, [c] { c->seekBy(-ControlSteps::LongSeekMs); });
    bind(r, C::SeekForwardLong, c, [c] { c->seekBy(ControlSteps::LongSeekMs); });
    bind(r, C::VolumeUp, c, [c] { c->stepVolume(1); });
    bind(r, C::VolumeDown, c, [c] { c->stepVolume(-1); });
    for (int slot = 0; slot < CommandTable::TrackSlots; ++slot) {
        bind(r, CommandTable::audioTrackSlot(slot), c, [c, slot] { c->chooseAudioSlot(slot); });
        bind(r, CommandTable::subtitleSlot(slot), c, [c, slot] { c->chooseSubtitleSlot(slot); });
    }
    bind(r, C::SubtitleOff, c, [c] { c->subtitleOff(); });
    bind(r, C::OpenSubtitle, c, [c] { c->openSubtitleFile(); });
    bind(r, C::TakeSnapshot, c, [c] { c->takeSnapshot(); });

    // The wheel over the video sets the volume, over the progress bar it seeks; a volume from
    // the slider is reported like one from the keys.
    MainWindow* w = &window;
    QObject::connect(w, &MainWindow::videoWheelTurned, c, &ControlHandlers::turnWheelOverVideo);
    QObject::connect(w, &MainWindow::progressWheelTurned, c,
                     &ControlHandlers::turnWheelOverProgress);
    QObject::connect(w, &MainWindow::volumeChanged, c, &ControlHandlers::setVolume);
}

void CommandBindings::bindDiscs(CommandRegistry& registry, DvdPlayback& dvd, ClassicPopups& popups,
                                MainWindow& window)
{
    DvdPlayback* d = &dvd;
    for (int i = 0; i < DvdRules::MainMenuSlots; ++i) {
        bind(registry, CommandTable::dvdDrive(i), d, [d, i] { d->playDisc(i); });
    }
    QObject::connect(d, &DvdPlayback::timeTextChanged, &window, &MainWindow::setTimeText);
    QObject::connect(&window, &MainWindow::driveMenuOpening, d, &DvdPlayback::refreshMenus);
    if (QMenu* tray = popups.menu(MenuId::PopupOpenDvd)) {
        QObject::connect(tray, &QMenu::aboutToShow, d, &DvdPlayback::refreshMenus);
    }
}

void CommandBindings::bindMpris(CommandRegistry& registry, MprisBridge& mpris,
                                MprisService& service, MainWindow& window)
{
    CommandRegistry* r = &registry;
    QObject::connect(&mpris, &MprisBridge::commandRequested, r, [r](Command command) {
        if (QAction* action = r->action(command)) {
            action->trigger();
        }
    });
    MainWindow* w = &window;
    QObject::connect(&mpris, &MprisBridge::raiseRequested, w, [w] {
        w->showNormal();
        w->raise();
        w->activateWindow();
    });
    QObject::connect(&mpris, &MprisBridge::changed, &service, &MprisService::refresh);
}
