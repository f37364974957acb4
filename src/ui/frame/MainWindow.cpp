#include "ui/frame/MainWindow.h"

#include "commands/CommandRegistry.h"
#include "playback/ControlSteps.h"
#include "skin/PlaylistPlacement.h"
#include "skin/ScreenFit.h"
#include "skin/WindowCaption.h"
#include "ui/frame/FivePaneSplitter.h"
#include "ui/frame/FullScreenBand.h"
#include "ui/frame/ProgressBar.h"
#include "ui/frame/ServerPosition.h"
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
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QSystemTrayIcon>

namespace {

// The screens' available areas, the primary one first.
QList<QRect> availableAreas()
{
    QList<QRect> areas;
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary) {
        areas.append(primary->availableGeometry());
    }
    for (const QScreen* screen : QGuiApplication::screens()) {
        if (screen != primary) {
            areas.append(screen->availableGeometry());
        }
    }
    return areas;
}

} // namespace

MainWindow::MainWindow(SettingsStore& settings, QWidget* parent)
    : SkinnedFrame(settings.environment().twipsPerPixelX, settings.environment().twipsPerPixelY,
                   parent),
      m_settings(settings)
{
    setWindowIcon(korvaneIcon());
    setWindowTitle(korvane::kProductName);
    setAttribute(Qt::WA_DeleteOnClose, false);
    loadSkinImages(korvane::programFolder());

    m_labels = std::make_unique<WindowLabels>(this);
    setCaptionLabel(m_labels->caption());

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
    m_splitter->setHost(Pane::Centre, m_videoFrame);
    connect(m_splitter, &FivePaneSplitter::paneResized, this, [this](Pane pane) {
        if (pane == Pane::Centre) {
            m_video->setGeometry(m_videoFrame->rect());
        }
    });
    connect(m_video, &VideoArea::doubleClicked, this,
            [this] { setVideoFullScreen(!m_videoFullScreen); });
    connect(m_video, &VideoArea::escapePressed, this, [this] { setVideoFullScreen(false); });
    connect(m_video, &VideoArea::rightClicked, this, [this](QPoint at) {
        emit contextMenuRequested(ContextMenu::Play, m_video->mapToGlobal(at));
    });
    connect(m_video, &VideoArea::filesDropped, this, &MainWindow::filesDropped);

    m_list = new FancyList(this);
    m_list->setObjectName(QStringLiteral("FancyList1"));
    m_list->setImageWidth(64);
    m_list->setImageHeight(64);
    m_list->setItemHeight(80);
    m_list->useSkinColours();
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

    resize(kDefaultWidth, kDefaultHeight);
    // Where the settings do not place it, the window opens centred, as a fresh start does.
    const Settings& stored = m_settings.settings();
    move(m_settings.toPixels(stored.windowLeft, stored.windowTop));
    setCaptionText(korvane::kProductName);
    setPlaylistPosition(PlaylistPlacement::Hidden);
}

MainWindow::~MainWindow() = default;

WindowPlacement MainWindow::placement() const
{
    // Maximised by the toggle, the window is remembered where it stood before.
    const QPoint here = serverPosition(*this).value_or(pos());
    return WindowPlacement{isMaximizedByToggle() ? restoredPosition() : here, false, m_loading};
}

void MainWindow::applyLoadedOptions()
{
    const Settings& stored = m_settings.settings();
    if (m_settings.rememberLastSize() || m_settings.rememberLastPos()) {
        const QPoint size = m_settings.rememberLastSize()
                                ? m_settings.toPixels(stored.windowWidth, stored.windowHeight)
                                : QPoint(width(), height());
        const QPoint place = m_settings.rememberLastPos()
                                 ? m_settings.toPixels(stored.windowLeft, stored.windowTop)
                                 : pos();
        // Kept on a screen, whatever the file says.
        const QRect fitted = ScreenFit::fit(
            place, QSize(size.x(), size.y()).expandedTo(minimumSize()), availableAreas());
        resize(fitted.size());
        move(fitted.topLeft());
    }
    setTopmost(m_settings.alwaysOnTop());
    if (m_settings.showInTray() && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray->show();
    } else {
        m_tray->hide();
    }
    placePlaylist();
    if (m_mediaActive) {
        rebuildCaption();
    }
}

void MainWindow::setPlaylistPosition(int position)
{
    m_playlistFills = false;
    m_splitter->clearLocks();
    const PlaylistPlacement placed = PlaylistPlacement::forPosition(position, m_splitter->size());
    if (placed.known) {
        m_splitter->applyPlacement(placed, m_list);
        const int pane =
            placed.host >= 0 ? m_splitter->paneSize(static_cast<Pane>(placed.host)) : 0;
        qCDebug(lcUi).nospace() << "playlist position " << position << " (pane " << pane << " px)";
        if (placed.fills) {
            m_list->setParent(this);
            m_list->setGeometry(contentRect());
            m_playlistFills = true;
        }
    }
    m_list->setVisible(m_playlistVisible && !m_videoFullScreen);
    m_list->raise();
    placeIntakeLabel();
}

void MainWindow::layoutMainWindow()
{
    if (isMinimized()) {
        return;
    }
    m_splitter->setResizeLocks(false);
    update();
    const int W = width();
    const int H = height();
    if (m_videoFullScreen) {
        const bool band = isControlBandShown();
        setFrameHidden(!band);
        setControlBandOnly(band);
        if (band) {
            placeControls(W, H);
        }
        m_splitter->setGeometry(band ? QRect(0, 0, W, SkinLayout::controlTop(H)) : rect());
        m_splitter->raise();
        setPlaylistPosition(PlaylistPlacement::Hidden);
        return;
    }
    placeControls(W, H);
    if (m_playlistFills) {
        m_list->setGeometry(contentRect());
    }
    m_splitter->setGeometry(contentRect());
    placePlaylist();
    if (!isMaximizedByToggle() && !m_loading) {
        m_settings.recordWindowSize(size());
    }
    if (m_mediaActive) {
        rebuildCaption();
    } else {
        setCaptionText(m_captionText);
    }
    if (!m_loading) {
        m_splitter->setResizeLocks(true);
    }
}

void MainWindow::showMediaCaption(const QString& path, const QString& title)
{
    m_mediaTitle = title;
    m_mediaPath = path;
    rebuildCaption();
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

void MainWindow::rebuildCaption()
{
    if (const std::optional<QString> caption =
            windowCaption(m_settings.titleBarMode(), m_mediaTitle, m_mediaPath)) {
        setCaptionText(*caption);
    }
}

void MainWindow::setPlaylistVisible(bool visible)
{
    m_playlistVisible = visible;
    placePlaylist();
}

void MainWindow::placePlaylist()
{
    setPlaylistPosition(m_playlistVisible ? static_cast<int>(m_settings.settings().playlistPosition)
                                          : PlaylistPlacement::Hidden);
}

void MainWindow::setIntakeProgress(int done, int total)
{
    m_intakeDone = done;
    m_intakeTotal = total;
    placeIntakeLabel();
}

void MainWindow::placeIntakeLabel()
{
    const QRect list(m_list->mapTo(this, QPoint(0, 0)), m_list->size());
    const bool shown = m_playlistVisible && !list.isEmpty();
    // Over the playlist's foot, from its left edge; the content area bounds its width.
    QRect area = contentRect();
    if (shown) {
        area.setLeft(list.left());
        area.setBottom(list.bottom());
    }
    m_labels->setIntake(m_intakeDone, m_intakeTotal, area);
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
        m_wasMaximizedBeforeFullScreen = isMaximized();
        m_geometryBeforeFullScreen = QRect(placeOnScreen(), size());
        showFullScreen();
    } else if (m_wasMaximizedBeforeFullScreen) {
        showMaximized();
    } else {
        showNormal();
        // Back at the size and place it had, whatever the window manager remembers.
        setGeometry(m_geometryBeforeFullScreen);
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

void MainWindow::setCaptionText(const QString& text)
{
    m_captionText = text;
    m_labels->setCaption(text, width());
    // The taskbar and the window switcher tell two players apart by what they play.
    setWindowTitle(text);
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
    // Where the drive menu opens over the window, from its bottom-left corner.
    constexpr int x = 55;
    constexpr int fromBottom = 44;
    QMenu* menu = m_menuBar ? m_menuBar->submenu(MenuId::OpenDvd) : nullptr;
    if (menu) {
        menu->popup(mapToGlobal(QPoint(x, height() - fromBottom)));
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

void MainWindow::placeControls(int width, int height)
{
    m_progress->setGeometry(SkinLayout::seekBarRect(width, height, m_progress->height()));
    m_volume->move(SkinLayout::volumeTrackPosition(width, height));
    m_labels->place(width, height);
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
