#include "ui/frame/MainWindowLayout.h"

#include "skin/MainWindowGeometry.h"
#include "skin/PlaylistPlacement.h"
#include "skin/SkinLayout.h"
#include "ui/frame/FivePaneSplitter.h"
#include "ui/frame/ProgressBar.h"
#include "ui/frame/VolumeSlider.h"
#include "ui/frame/WindowLabels.h"
#include "util/Logging.h"

MainWindowLayout::MainWindowLayout(const Parts& parts) : m_parts(parts)
{
    m_parts.splitter->setHost(Pane::Centre, m_parts.videoFrame);
    QObject::connect(m_parts.splitter, &FivePaneSplitter::paneResized, m_parts.video,
                     [frame = m_parts.videoFrame, video = m_parts.video](Pane pane) {
                         if (pane == Pane::Centre) {
                             video->setGeometry(frame->rect());
                         }
                     });
}

void MainWindowLayout::placePlaylist(int position, bool fullScreen)
{
    FivePaneSplitter& splitter = *m_parts.splitter;
    QWidget& playlist = *m_parts.playlist;
    m_playlistFills = false;
    splitter.clearLocks();
    const PlaylistPlacement placed = PlaylistPlacement::forPosition(position, splitter.size());
    if (placed.known) {
        splitter.applyPlacement(placed, &playlist);
        const int pane = placed.host >= 0 ? splitter.paneSize(static_cast<Pane>(placed.host)) : 0;
        qCDebug(lcUi).nospace() << "playlist position " << position << " (pane " << pane << " px)";
        if (placed.fills) {
            playlist.setParent(m_parts.window);
            playlist.setGeometry(MainWindowGeometry::contentRect(m_parts.window->size()));
            m_playlistFills = true;
        }
    }
    playlist.setVisible(m_playlistVisible && !fullScreen);
    playlist.raise();
    placeIntake();
}

void MainWindowLayout::placeFramed()
{
    placeControls();
    m_parts.splitter->setGeometry(MainWindowGeometry::contentRect(m_parts.window->size()));
}

void MainWindowLayout::placeFullScreen(bool controlBandShown)
{
    if (controlBandShown) {
        placeControls();
    }
    m_parts.splitter->setGeometry(
        MainWindowGeometry::fullScreenVideoRect(m_parts.window->size(), controlBandShown));
    m_parts.splitter->raise();
    placePlaylist(PlaylistPlacement::Hidden, true);
}

void MainWindowLayout::setIntake(int done, int total)
{
    m_intakeDone = done;
    m_intakeTotal = total;
    placeIntake();
}

void MainWindowLayout::placeControls()
{
    const int width = m_parts.window->width();
    const int height = m_parts.window->height();
    ProgressBar& progress = *m_parts.progress;
    progress.setGeometry(SkinLayout::seekBarRect(width, height, progress.height()));
    m_parts.volume->move(SkinLayout::volumeTrackPosition(width, height));
    m_parts.labels->place(width, height);
}

void MainWindowLayout::placeIntake()
{
    const QWidget& playlist = *m_parts.playlist;
    const QRect list(playlist.mapTo(m_parts.window, QPoint(0, 0)), playlist.size());
    m_parts.labels->setIntake(
        m_intakeDone, m_intakeTotal,
        MainWindowGeometry::intakeArea(m_parts.window->size(), list, m_playlistVisible));
}
