#include "app/DesktopWiring.h"

#include "app/MprisBridge.h"
#include "app/WindowBindings.h"
#include "playback/DvdPlayback.h"
#include "playback/PlaybackSession.h"
#include "playback/ScreenSaverGuard.h"
#include "playlist/Playlist.h"
#include "system/DBusScreenSaver.h"
#include "system/LinuxDriveProvider.h"
#include "system/MprisService.h"
#include "ui/MainWindow.h"
#include "util/RuntimeFolder.h"
#include "util/ToolPaths.h"

#include <QMenu>

namespace {
// Where the drive menu opens over the window, from its bottom-left corner.
constexpr int kDvdMenuX = 55;
constexpr int kDvdMenuFromBottom = 44;
} // namespace

DesktopWiring::DesktopWiring(MainWindow& window, WindowBindings& bindings, PlaybackSession& session,
                             Playlist& playlist, SettingsStore& settings, UserMessages& messages,
                             std::unique_ptr<DriveProvider> drives, QObject* parent)
    : QObject(parent), m_window(window), m_drives(std::move(drives))
{
    if (!m_drives) {
        m_drives = std::make_unique<LinuxDriveProvider>();
    }
    m_dvd = std::make_unique<DvdPlayback>(*m_drives, session, playlist.model(), messages,
                                          korvane::programFolder());
    connect(m_dvd.get(), &DvdPlayback::timeTextChanged, &window, &MainWindow::setTimeText);
    connect(&bindings, &WindowBindings::dvdRequested, this, &DesktopWiring::showDvdMenu);

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
    m_bridge->onQuit = [w] {
        w->close();
    };
    m_service = std::make_unique<MprisService>(*m_bridge);
    m_service->start();
    connect(m_bridge.get(), &MprisBridge::changed, m_service.get(), &MprisService::refresh);
}

DesktopWiring::~DesktopWiring() = default;

void DesktopWiring::showDvdMenu()
{
    // Opening the list is what refreshes it, so it shows the drives as they are now.
    m_dvd->refreshMenus();
    auto* menu = new QMenu(&m_window);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QStringList captions = m_dvd->menus().tray;
    for (int i = 0; i < captions.size(); ++i) {
        QAction* action = menu->addAction(captions[i]);
        action->setEnabled(captions[i] != DvdRules::NoDrivesText);
        connect(action, &QAction::triggered, m_dvd.get(), [this, i] { m_dvd->PlayDVD(i); });
    }
    menu->popup(m_window.mapToGlobal(QPoint(kDvdMenuX, m_window.height() - kDvdMenuFromBottom)));
}
