#pragma once

#include "commands/MenuId.h"
#include "playback/MediaControlState.h"
#include "settings/SettingsStore.h"
#include "ui/frame/FullScreenReturn.h"
#include "ui/frame/MainWindowCaption.h"
#include "ui/frame/MainWindowLayout.h"
#include "ui/frame/SkinnedFrame.h"
#include "ui/frame/WindowPersistence.h"

#include <memory>

class CommandRegistry;
class FancyList;
class FullScreenBand;
class MainMenuBar;
class FivePaneSplitter;
class PlaylistModel;
class ProgressBar;
class QShortcut;
class QSystemTrayIcon;
class SnapshotPreview;
class VideoArea;
class VideoSurface;
class VolumeSlider;
class WindowLabels;

// Korvane's main window: the skinned frame around one content rectangle, where a five-pane
// splitter holds the video in its centre and the playlist on the side the settings name. It
// applies the settings the store holds; it neither reads nor writes the settings file. Its
// children stay inside: what the user does leaves as intent signals, what the player reports
// comes in through typed setters.
class MainWindow : public SkinnedFrame
{
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 388;
    static constexpr int kDefaultHeight = 515;

    // The popups a click on the window asks for.
    enum class ContextMenu
    {
        // The Play menu, over the video.
        Play,
        // The playlist menu, over the playlist.
        PlayList,
        // The File menu, from the tray icon.
        File,
    };
    Q_ENUM(ContextMenu)

    explicit MainWindow(SettingsStore& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The menu bar from the registry's actions, their shortcuts on this window, and the skin
    // buttons triggering their commands.
    void installCommands(const CommandRegistry& registry);
    // Opens the menu bar's drive list over the DVD button.
    void popupDriveMenu();
    // The entries the playlist view shows.
    void setPlaylistModel(PlaylistModel* model);
    // Where the engine draws the video.
    VideoSurface& videoSurface() const;
    // The picture the video area shows while a sound-only item plays.
    void setAudioLogo(const QImage& logo);
    void setAudioOnly(bool audioOnly);
    // The tray icon goes before the program ends, so the tray does not keep a dead entry.
    void hideTrayIcon();

    // Applies the stored geometry, topmost state, tray icon, caption and playlist position.
    void applyLoadedOptions();
    void setPlaylistPosition(int position);
    void layoutMainWindow();

    void setLoading(bool loading) { m_loading = loading; }
    bool isLoading() const { return m_loading; }
    bool isMediaActive() const { return m_mediaActive; }
    bool isPlaylistFilling() const { return m_layout->playlistFills(); }
    // Where the window stands, for the settings written at shutdown.
    WindowPlacement placement() const;

    QString captionText() const { return m_caption->text(); }
    QString timeText() const;

    // The caption names the playing entry as TitleBarMode asks: file name, full path or nothing.
    void showMediaCaption(const QString& path, const QString& title);
    void setMediaActive(bool active) { m_mediaActive = active; }
    // The skin buttons for a play state; the seek bar takes clicks unless stopped.
    void setControlState(MediaControlState::State state);
    void setTimeText(const QString& text);
    void setProgress(int percent);
    void setRateText(const QString& text, bool visible);
    void showSpeedText(const QString& text);
    // The playlist toggle: shown at the stored position, or hidden with the side panes closed.
    void togglePlaylist() { setPlaylistVisible(!isPlaylistVisible()); }
    void setPlaylistVisible(bool visible);
    bool isPlaylistVisible() const { return m_layout->isPlaylistVisible(); }
    void setIntakeProgress(int done, int total);
    // The video area takes the whole screen; Esc, a double-click or the full-screen command
    // brings the window back as it stood.
    void setVideoFullScreen(bool on);
    bool isVideoFullScreen() const { return m_videoFullScreen; }
    // Full screen, the skin's control strip shows over the bottom while the pointer moves.
    bool isControlBandShown() const;
    // The slider and its readout follow a volume set by a key or the wheel.
    void setVolume(int volume);
    // Greys or enables a drop-down of the menu bar.
    void setMenuEnabled(MenuId id, bool enabled);
    // A small copy of a snapshot over the video's top-left corner, for 2 s.
    void showSnapshotPreview(const QImage& image);

signals:
    // The window was closed: the program is to shut down.
    void closing();
    void seekRequested(double fraction);
    void volumeChanged(int volume);
    // Whole wheel notches over the video and over the progress bar (negative: toward the user).
    void videoWheelTurned(int notches);
    void progressWheelTurned(int notches);
    // A popup is wanted at a point of the screen.
    void contextMenuRequested(MainWindow::ContextMenu menu, QPoint globalPosition);
    // Files dropped on the video: the first is to play, the others to join the playlist.
    void filesDropped(const QStringList& paths);
    // Files dropped on the playlist: they join it.
    void playlistFilesDropped(const QStringList& paths);
    // A playlist entry was clicked (selected) or double-clicked (to play).
    void playlistEntryClicked();
    void playlistEntryActivated();
    // The menu bar's drive list is about to show.
    void driveMenuOpening();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // At the stored position while shown, hidden with the side panes closed otherwise.
    void placePlaylist();
    void installControls(const CommandRegistry& registry);

    SettingsStore& m_settings;
    WindowPersistence m_persistence;
    FullScreenReturn m_fullScreenReturn;
    bool m_loading = true;
    bool m_mediaActive = false;
    bool m_videoFullScreen = false;
    std::unique_ptr<WindowLabels> m_labels;
    std::unique_ptr<MainWindowCaption> m_caption;
    std::unique_ptr<MainWindowLayout> m_layout;
    ProgressBar* m_progress = nullptr;
    VolumeSlider* m_volume = nullptr;
    FivePaneSplitter* m_splitter = nullptr;
    QWidget* m_videoFrame = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    FancyList* m_list = nullptr;
    VideoArea* m_video = nullptr;
    MainMenuBar* m_menuBar = nullptr;
    FullScreenBand* m_band = nullptr;
    QShortcut* m_leaveFullScreen = nullptr;
    SnapshotPreview* m_preview = nullptr;
    int m_videoWheel = 0;
    int m_progressWheel = 0;
};
