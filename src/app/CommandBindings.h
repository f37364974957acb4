#pragma once

class ClassicPopups;
class CommandHandlers;
class CommandRegistry;
class ControlHandlers;
class DvdPlayback;
class MainWindow;
class MprisBridge;
class MprisService;
class PlaybackSession;
class Playlist;
class QAction;

// Binds each command to the one handler that runs it, once: the menu bar's action and, where a
// popup has one of its own, the popup's action of the same command. Every bound action writes
// "command <its name>" as it fires, before its handler runs. Grouped by where the commands go.
class CommandBindings
{
public:
    // The menus, the keys and the skin buttons, to the session, the playlist, the window and
    // its dialogs; the window's requests for a popup.
    static void bindCommands(CommandRegistry& registry, CommandHandlers& commands,
                             PlaybackSession& session, Playlist& playlist, MainWindow& window);
    // Seeking, the volume, the tracks, subtitle files and snapshots; the wheel and the slider.
    static void bindControls(CommandRegistry& registry, ControlHandlers& controls,
                             MainWindow& window);
    // The drive items play their drives; opening either drive list lists the drives anew.
    static void bindDiscs(CommandRegistry& registry, DvdPlayback& dvd, ClassicPopups& popups,
                          MainWindow& window);
    // Media keys and desktop widgets trigger the same actions as the window's buttons.
    static void bindMpris(CommandRegistry& registry, MprisBridge& mpris, MprisService& service,
                          MainWindow& window);

    // How many handlers an action has been bound to.
    static int handlerCount(const QAction* action);
};
