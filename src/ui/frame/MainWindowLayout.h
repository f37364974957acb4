#pragma once

#include <QRect>

class FivePaneSplitter;
class ProgressBar;
class QWidget;
class VolumeSlider;
class WindowLabels;

// How the main window's parts share its surface: the seek bar, the volume and the labels along
// the frame, the splitter in the content rectangle with the playlist in one of its panes or over
// the whole content, and the intake count over the playlist's foot. The window says what shows;
// this says where.
class MainWindowLayout
{
public:
    struct Parts
    {
        QWidget* window = nullptr;
        FivePaneSplitter* splitter = nullptr;
        // The video fills the splitter's centre.
        QWidget* videoFrame = nullptr;
        QWidget* video = nullptr;
        QWidget* playlist = nullptr;
        ProgressBar* progress = nullptr;
        VolumeSlider* volume = nullptr;
        WindowLabels* labels = nullptr;
    };
    explicit MainWindowLayout(const Parts& parts);

    // The playlist at a position code of PlaylistPlacement; full screen keeps it out of sight.
    void placePlaylist(int position, bool fullScreen);
    bool playlistFills() const { return m_playlistFills; }
    // The user's toggle: a hidden playlist also leaves the intake count to the content area.
    void setPlaylistVisible(bool visible) { m_playlistVisible = visible; }
    bool isPlaylistVisible() const { return m_playlistVisible; }
    // Framed: the controls along the frame, the splitter in the content rectangle.
    void placeFramed();
    // Full screen: the splitter raised over the window, above the control strip while it shows.
    void placeFullScreen(bool controlBandShown);
    void setIntake(int done, int total);

private:
    void placeControls();
    void placeIntake();

    Parts m_parts;
    bool m_playlistVisible = true;
    bool m_playlistFills = false;
    int m_intakeDone = 0;
    int m_intakeTotal = 0;
};
