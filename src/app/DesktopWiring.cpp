#include "app/DesktopWiring.h"

#include "app/CommandBindings.h"
#include "app/MprisBridge.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "playback/DvdPlayback.h"
#include "playback/PlaybackSession.h"
#include "playback/ScreenSaverGuard.h"
#include "playlist/Playlist.h"
#include "system/DBusScreenSaver.h"
#include "system/LinuxDriveProvider.h"
#include "system/MprisService.h"
#include "ui/frame/MainWindow.h"
#include "ui/menus/ClassicPopups.h"
#include "util/RuntimeFolder.h"
#include "util/ToolPaths.h"

#include <QAction>
#include <QMenu>

DesktopWiring::DesktopWiring(MainWindow& window, CommandRegistry& registry,
                             CommandBindings& commands, PlaybackSession& session,
                             Playlist& playlist, SettingsStore& settings, UserMessages& messages,
                             std::unique_ptr<DriveProvider> drives, QObject* parent)
    : QObject(parent), m_window(window), m_registry(registry), m_commands(commands),
      m_drives(std::move(drives))
{
    if (!m_drives) {
        m_drives = std::make_unique<LinuxDriveProvider>();
    }
    m_dvd = std::make_unique<DvdPlayback>(*m_drives, session, playlist.model(), messages,
                                          korvane::programFolder());
    connect(m_dvd.get(), &DvdPlayback::timeTextChanged, &window, &MainWindow::setTimeText);
    connect(&commands, &CommandBindings::dvdMenuRequested, &window, &MainWindow::popupDriveMenu);
    bindDvdMenus();

    m_screenSaver = std::make_unique<DBusScreenSaver>();
    m_guard = std::make_unique<ScreenSaverGuard>(session, settings, *m_screenSaver);

    m_bridge =
        std::make_unique<MprisBridge>(session, playlist, settings, korvane::privateRuntimeFolder());
    MainWindow* w = &window;
    m_bridge->onRaise = [w] {
        w->showNormal();
        w->raise();
        w->activateWindow();
    };
    CommandRegistry* r = &registry;
    m_bridge->onCommand = [r](Command command) {
        r->trigger(command);
    };
    m_service = std::make_unique<MprisService>(*m_bridge);
    m_service->start();
    connect(m_bridge.get(), &MprisBridge::changed, m_service.get(), &MprisService::refresh);
}

DesktopWiring::~DesktopWiring() = default;

void DesktopWiring::bindDvdMenus()
{
    DvdPlayback* dvd = m_dvd.get();
    // A drive item of either menu plays its drive; opening either menu lists the drives anew.
    for (int i = 0; i < DvdRules::MainMenuSlots; ++i) {
        if (QAction* action = m_registry.action(CommandTable::dvdDrive(i))) {
            connect(action, &QAction::triggered, dvd, [dvd, i] { dvd->playDisc(i); });
        }
    }
    connect(&m_window, &MainWindow::driveMenuOpening, dvd, &DvdPlayback::refreshMenus);
    if (QMenu* tray = m_commands.popups().menu(QStringLiteral("mnuOpenDVD"))) {
        connect(tray, &QMenu::aboutToShow, dvd, &DvdPlayback::refreshMenus);
    }
    connect(dvd, &DvdPlayback::menusChanged, this, &DesktopWiring::showDvdMenus);
    showDvdMenus();
}

void DesktopWiring::showDvdMenus()
{
    const DvdRules::Menus& menus = m_dvd->menus();
    for (int i = 0; i < DvdRules::MainMenuSlots; ++i) {
        const Command command = CommandTable::dvdDrive(i);
        ActionFace bar = m_registry.face(CommandOrigin::Direct, command);
        if (i < menus.main.size()) {
            bar.text = menus.main[i].text;
            bar.visible = menus.main[i].visible;
            bar.enabled = menus.main[i].enabled;
        }
        m_registry.setFace(CommandOrigin::Direct, command, bar);
        // The tray lists one entry per drive, the first always.
        ActionFace tray = m_registry.face(CommandOrigin::Popup, command);
        tray.visible = i == 0 || i < menus.tray.size();
        tray.enabled = true;
        if (i < menus.tray.size()) {
            tray.text = menus.tray[i];
        }
        m_registry.setFace(CommandOrigin::Popup, command, tray);
    }
}
