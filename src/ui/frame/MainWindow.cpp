#include "ui/frame/MainWindow.h"

#include "commands/CommandRegistry.h"
#include "playback/ControlSteps.h"
#include "skin/MainWindowGeometry.h"
#include "skin/PlaylistPlacement.h"
#include "ui/frame/FivePaneSplitter.h"
#include "ui/frame/FullScreenBand.h"
#include "ui/frame/ProgressBar.h"
#include "ui/frame/SnapshotPreview.h"
#include "ui/frame/VideoArea.h"
#include "ui/frame/VolumeSlider.h"
#include "ui/frame/WindowLabels.h"
#include "ui/menus/MainMenuBar.h"
#include "ui/menus/RegionCommands.h"
#include "ui/playlistview/FancyList.h"
#include "ui/qt/AppIcon.h"
#include "util/Logging.h"
#include "util/Product.h"
#include "util/ToolPaths.h"

#include <QAction>
#include <QCloseEvent>
#include <QCursor>
#include <QLabel>
#include <QMenu>
#include <QShortcut>
#include <QSystemTrayIcon>

MainWindow::MainWindow(SettingsStore& settings, QWidget* parent)
    : SkinnedFrame(settings.environment().twipsPerPixelX, settings.environment().twipsPerPixelY,
                   parent),
      m_settings(settings), m_persistence(*this, settings)
{
    setWindowIcon(korvaneIcon());
    setWindowTitle(korvane::kProductName);
    setAttribute(Qt::WA_DeleteOnClose, false);
    loadSkinImages(korvane::programFolder());

    m_labels = std::make_unique<WindowLabels>(this);
    setCaptionLabel(m_labels->caption());
    m_caption = std::make_unique<MainWindowCaption>(*this, *m_labels);

    m_progress = new ProgressBar(this);
    m_progress->resize(100, 10);
    connect(m_progress, &ProgressBar::seekRequested, this, &MainWindow::seekRequested);
    m_volume = new VolumeSlider(this);
    m_volume->resize(60, 14);
    connect(m_volume, &VolumeSlider::volumeChanged, this, [this](int volume) {
        m_labels->setVolume(volume);
        emit volumeChanged(volume);
    });

    m_splitter = new FivePaneSplitter(this);
    m_videoFrame = new QWidget;
    m_videoFrame->setObjectName(QStringLiteral("fraVideo"));
    m_video = new VideoArea(m_videoFrame);
    m_video->setObjectName(QStringLiteral("SSPanel1"));
    connect(m_video, &VideoArea::doubleClicked, this,
            [this] { setVideoFullScreen(!m_videoFullScreen); });
    connect(m_video, &VideoArea::escapePressed, this, [this] { setVideoFullScreen(false); });
    connect(m_video, &VideoArea::rightClicked, this, [this](QPoint at) {
        emit contextMenuRequested(ContextMenu::Play, m_video->mapToGlobal(at));
    });
    connect(m_video, &VideoArea::filesDropped, this, &MainWindow::filesDropped);

    m_list = new FancyList(this);
    m_list->setObjectName(QStringLiteral("FancyList1"));
    m_list->useSkinLook();
    connect(m_list, &FancyList::entryClicked, this, &MainWindow::playlistEntryClicked);
    connect(m_list, &FancyList::entryDoubleClicked, this, &MainWindow::playlistEntryActivated);
    connect(m_list, &FancyList::filesDropped, this,
            [this](const QStringList& paths) { emit playlistFilesDropped(paths); });
    connect(m_list, &FancyList::pointerPressed, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers, const QPointF& at) {
                if (button == Qt::RightButton) {
                    emit contextMenuRequested(ContextMenu::PlayList,
                                              m_list->mapToGlobal(at.toPoint()));
                }
            });

    m_tray = new QSystemTrayIcon(windowIcon(), this);
    m_tray->setToolTip(korvane::kApplicationTitle);
    connect(m_tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Context) {
            emit contextMenuRequested(ContextMenu::File, QCursor::pos());
        }
    });

    m_layout = std::make_unique<MainWindowLayout>(MainWindowLayout::Parts{
        this, m_splitter, m_videoFrame, m_video, m_list, m_progress, m_volume, m_labels.get()});
    resize(kDefaultWidth, kDefaultHeight);
    m_persistence.openAtStoredPlace();
    m_caption->setText(korvane::kProductName);
    setPlaylistPosition(PlaylistPlacement::Hidden);
}

MainWindow::~MainWindow() = default;

WindowPlacement MainWindow::placement() const
{
    return m_persistence.placement(isMaximizedByToggle(), restoredPosition(), m_loading);
}

void MainWindow::applyLoadedOptions()
{
    m_persistence.applyRemembered();
    setTopmost(m_settings.alwaysOnTop());
    m_tray->setVisible(m_settings.showInTray() && QSystemTrayIcon::isSystemTrayAvailable());
    placePlaylist();
    if (m_mediaActive) {
        m_caption->showMedia(m_settings.titleBarMode());
    }
}

void MainWindow::setPlaylistPosition(int position)
{
    m_layout->placePlaylist(position, m_videoFullScreen);
}

void MainWindow::layoutMainWindow()
{
    if (isMinimized()) {
        return;
    }
    m_splitter->setResizeLocks(false);
    update();
    if (m_videoFullScreen) {
        const bool band = isControlBandShown();
        setFrameHidden(!band);
        setControlBandOnly(band);
        m_layout->placeFullScreen(band);
        return;
    }
    m_layout->placeFramed();
    placePlaylist();
    m_persistence.recordSize(isMaximizedByToggle(), m_loading);
    if (m_mediaActive) {
        m_caption->showMedia(m_settings.titleBarMode());
    } else {
        m_caption->refit();
    }
    if (!m_loading) {
        m_splitter->setResizeLocks(true);
    }
}

void MainWindow::showMediaCaption(const QString& path, const QString& title)
{
    m_caption->setMedia(path, title);
    m_caption->showMedia(m_settings.titleBarMode());
}

void MainWindow::setControlState(MediaControlState::State state)
{
    enableMediaControl(state);
    m_progress->setEnabled(state != MediaControlState::Stopped);
}

void MainWindow::setTimeText(const QString& text)
{
    m_labels->setTime(text, width(), height());
}

QString MainWindow::timeText() const
{
    return m_labels->timeText();
}

void MainWindow::setProgress(int percent)
{
    m_progress->setProgress(percent);
}

void MainWindow::setRateText(const QString& text, bool visible)
{
    m_labels->setRate(text, visible);
}

void MainWindow::showSpeedText(const QString& text)
{
    m_labels->showSpeed(text);
}

void MainWindow::setPlaylistVisible(bool visible)
{
    m_layout->setPlaylistVisible(visible);
    placePlaylist();
}

void MainWindow::placePlaylist()
{
    setPlaylistPosition(isPlaylistVisible()
                            ? static_cast<int>(m_settings.settings().playlistPosition)
                            : PlaylistPlacement::Hidden);
}

void MainWindow::setIntakeProgress(int done, int total)
{
    m_layout->setIntake(done, total);
}

void MainWindow::setVideoFullScreen(bool on)
{
    if (on == m_videoFullScreen) {
        return;
    }
    m_videoFullScreen = on;
    // The splitter is raised over the whole window, the playlist's panes closed.
    setFrameHidden(on);
    setControlBandOnly(false);
    if (m_band) {
        m_band->setActive(on);
        m_leaveFullScreen->setEnabled(on);
    }
    if (on) {
        m_fullScreenReturn.enter(*this, placeOnScreen());
    } else {
        m_fullScreenReturn.leave(*this);
    }
    qCDebug(lcUi) << (on ? "full screen on" : "full screen off");
    layoutMainWindow();
    m_video->setFocus();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    emit closing();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    SkinnedFrame::resizeEvent(event);
    layoutMainWindow();
}

void MainWindow::changeEvent(QEvent* event)
{
    // Restoring from the task bar runs the full layout; minimising changes nothing.
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        layoutMainWindow();
    }
    SkinnedFrame::changeEvent(event);
}

void MainWindow::installCommands(const CommandRegistry& registry)
{
    m_menuBar = new MainMenuBar(registry, this);
    // Shortcuts fire while the window is active, whether or not the menu bar is shown.
    for (int i = 0; i < commandCount; ++i) {
        QAction* action = registry.action(static_cast<Command>(i));
        if (action && !action->shortcut().isEmpty()) {
            addAction(action);
        }
    }
    connect(this, &SkinnedFrame::regionClicked, this, [&registry](SkinRegion region) {
        if (QAction* action = registry.action(RegionCommands::commandOf(region))) {
            action->trigger();
        }
    });
    if (QMenu* drives = m_menuBar->submenu(MenuId::OpenDvd)) {
        connect(drives, &QMenu::aboutToShow, this, &MainWindow::driveMenuOpening);
    }
    installControls(registry);
}

void MainWindow::setPlaylistModel(PlaylistModel* model)
{
    m_list->setModel(model);
}

VideoSurface& MainWindow::videoSurface() const
{
    return *m_video;
}

void MainWindow::setAudioLogo(const QImage& logo)
{
    m_video->setAudioLogo(logo);
}

void MainWindow::setAudioOnly(bool audioOnly)
{
    m_video->setAudioOnly(audioOnly);
}

void MainWindow::hideTrayIcon()
{
    m_tray->hide();
}

void MainWindow::popupDriveMenu()
{
    if (QMenu* menu = m_menuBar ? m_menuBar->submenu(MenuId::OpenDvd) : nullptr) {
        menu->popup(mapToGlobal(MainWindowGeometry::driveMenuPosition(size())));
    }
}

void MainWindow::installControls(const CommandRegistry& registry)
{
    m_band = new FullScreenBand(this);
    connect(m_band, &FullScreenBand::shownChanged, this, [this] { layoutMainWindow(); });
    m_preview = new SnapshotPreview(this);
    connect(m_video, &VideoArea::wheelTurned, this, [this](int delta) {
        if (const int notches = ControlSteps::notches(delta, m_videoWheel)) {
            emit videoWheelTurned(notches);
        }
    });
    connect(m_progress, &ProgressBar::wheelTurned, this, [this](int delta) {
        if (const int notches = ControlSteps::notches(delta, m_progressWheel)) {
            emit progressWheelTurned(notches);
        }
    });
    // Esc leaves full screen wherever the focus is; outside full screen the key is left alone.
    m_leaveFullScreen = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(m_leaveFullScreen, &QShortcut::activated, this, [this] { setVideoFullScreen(false); });
    m_leaveFullScreen->setEnabled(m_videoFullScreen);
    // Delete removes the selected entry while the playlist has the focus.
    auto* remove = new QShortcut(QKeySequence(Qt::Key_Delete), m_list);
    remove->setContext(Qt::WidgetWithChildrenShortcut);
    connect(remove, &QShortcut::activated, this, [&registry] {
        if (QAction* action = registry.action(Command::Remove)) {
            action->trigger();
        }
    });
}

bool MainWindow::isControlBandShown() const
{
    return m_videoFullScreen && m_band && m_band->isShown();
}

void MainWindow::setVolume(int volume)
{
    m_volume->setValue(volume);
    m_labels->setVolume(m_volume->value());
}

void MainWindow::setMenuEnabled(MenuId id, bool enabled)
{
    if (QMenu* menu = m_menuBar ? m_menuBar->submenu(id) : nullptr) {
        menu->menuAction()->setEnabled(enabled);
    }
}

void MainWindow::showSnapshotPreview(const QImage& image)
{
    m_preview->showImage(image, m_videoFrame->mapTo(this, QPoint(8, 8)));
}
