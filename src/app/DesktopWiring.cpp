#include "app/DesktopWiring.h"

#include "app/CommandBindings.h"
#include "app/MprisBridge.h"
#include "app/WindowBindings.h"
#include "playback/DvdPlayback.h"
#include "playback/PlaybackSession.h"
#include "playback/ScreenSaverGuard.h"
#include "playlist/Playlist.h"
#include "system/DBusScreenSaver.h"
#include "system/LinuxDriveProvider.h"
#include "system/MprisService.h"
#include "ui/frame/MainWindow.h"
#include "ui/menus/ActionRegistry.h"
#include "ui/menus/ClassicPopups.h"
#include "ui/menus/MainMenuBar.h"
#include "util/RuntimeFolder.h"
#include "util/ToolPaths.h"

#include <QMenu>

namespace {
// Where the drive menu opens over the window, from its bottom-left corner.
constexpr int kDvdMenuX = 55;
constexpr int kDvdMenuFromBottom = 44;
const QString kMainDvdMenu = QStringLiteral("OpenDVD");
const QString kTrayDvdMenu = QStringLiteral("mnuOpenDVD");
const QString kTrayFirstDrive = QStringLiteral("dvdsList(0)");

QString mainDriveKey(int index)
{
    return QStringLiteral("DVDList%1").arg(index);
}
} // namespace

DesktopWiring::DesktopWiring(MainWindow& window, WindowBindings& bindings,
                             CommandBindings& commands, PlaybackSession& session,
                             Playlist& playlist, SettingsStore& settings, UserMessages& messages,
                             std::unique_ptr<DriveProvider> drives, QObject* parent)
    : QObject(parent), m_window(window), m_commands(commands), m_drives(std::move(drives))
{
    if (!m_drives) {
        m_drives = std::make_unique<LinuxDriveProvider>();
    }
    m_dvd = std::make_unique<DvdPlayback>(*m_drives, session, playlist.model(), messages,
                                          korvane::programFolder());
    connect(m_dvd.get(), &DvdPlayback::timeTextChanged, &window, &MainWindow::setTimeText);
    connect(&bindings, &WindowBindings::dvdRequested, this, &DesktopWiring::showDvdMenu);
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
    CommandBindings* c = &commands;
    m_bridge->onCommand = [c](const QString& key) {
        c->dispatchKey(key);
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
        if (QAction* action = m_commands.actions().action(mainDriveKey(i))) {
            connect(action, &QAction::triggered, dvd, [dvd, i] { dvd->playDisc(i); });
        }
    }
    if (QAction* first = m_commands.popups().item(kTrayFirstDrive)) {
        connect(first, &QAction::triggered, dvd, [dvd] { dvd->playDisc(0); });
    }
    for (QMenu* menu :
         {m_commands.menuBar() ? m_commands.menuBar()->submenu(kMainDvdMenu) : nullptr,
          m_commands.popups().menu(kTrayDvdMenu)}) {
        if (menu) {
            connect(menu, &QMenu::aboutToShow, dvd, &DvdPlayback::refreshMenus);
        }
    }
    connect(dvd, &DvdPlayback::menusChanged, this, &DesktopWiring::showDvdMenus);
    showDvdMenus();
}

void DesktopWiring::showDvdMenus()
{
    const DvdRules::Menus& menus = m_dvd->menus();
    ActionRegistry& registry = m_commands.actions();
    for (int i = 0; i < menus.main.size(); ++i) {
        registry.setCaption(mainDriveKey(i), menus.main[i].text);
        registry.setVisible(mainDriveKey(i), menus.main[i].visible);
        registry.setEnabled(mainDriveKey(i), menus.main[i].enabled);
    }
    if (QAction* first = m_commands.popups().item(kTrayFirstDrive)) {
        first->setText(menus.tray.value(0));
    }
    qDeleteAll(m_trayDrives);
    m_trayDrives.clear();
    QMenu* tray = m_commands.popups().menu(kTrayDvdMenu);
    if (!tray) {
        return;
    }
    DvdPlayback* dvd = m_dvd.get();
    for (int i = 1; i < menus.tray.size(); ++i) {
        QAction* action = tray->addAction(menus.tray[i]);
        connect(action, &QAction::triggered, dvd, [dvd, i] { dvd->playDisc(i); });
        m_trayDrives.append(action);
    }
}

void DesktopWiring::showDvdMenu()
{
    QMenu* menu = m_commands.menuBar() ? m_commands.menuBar()->submenu(kMainDvdMenu) : nullptr;
    if (!menu) {
        return;
    }
    // Opening the menu lists the drives as they are now.
    menu->popup(m_window.mapToGlobal(QPoint(kDvdMenuX, m_window.height() - kDvdMenuFromBottom)));
}
