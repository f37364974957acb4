#pragma once

#include "settings/SettingsStore.h"

#include <QWidget>

class FancyList;
class QLabel;
class QSystemTrayIcon;
class QToolButton;
class TransportBar;
class VideoArea;

// Korvane's frameless main window. It shows the parts it is composed of and applies the settings
// the store holds; it neither reads nor writes the settings file.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 388;
    static constexpr int kDefaultHeight = 515;

    explicit MainWindow(SettingsStore& settings, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Applies the stored geometry, topmost state, tray icon and caption; follows every change.
    void SetLoadedOptions();
    void SetTopmost(bool topmost);

    void setLoading(bool loading) { m_loading = loading; }
    bool isLoading() const { return m_loading; }
    bool isMaximizedByToggle() const { return m_maximized; }
    bool isMediaActive() const { return m_mediaActive; }
    // Where the window stands, for the settings written at shutdown.
    WindowPlacement placement() const;

    QString captionText() const { return m_captionText; }
    QSystemTrayIcon* trayIcon() const { return m_tray; }
    FancyList* playlistView() const { return m_list; }
    VideoArea* videoArea() const { return m_video; }
    TransportBar* transportBar() const { return m_transport; }

    // The caption names the playing entry as TitleBarMode asks: file name, full path or nothing.
    void showMediaCaption(const QString& title, const QString& path);
    void setMediaActive(bool active);
    void setPlaylistVisible(bool visible);
    bool isPlaylistVisible() const { return m_playlistVisible; }
    void setIntakeProgress(int done, int total);
    // The video area takes the whole screen; Esc or a double-click brings the window back.
    void setVideoFullScreen(bool on);
    bool isVideoFullScreen() const { return m_videoFullScreen; }

signals:
    // The window was closed: the program is to shut down.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void layoutParts();
    void setCaptionText(const QString& text);
    void rebuildCaption();

    SettingsStore& m_settings;
    bool m_loading = true;
    bool m_maximized = false;
    bool m_mediaActive = false;
    bool m_playlistVisible = true;
    bool m_videoFullScreen = false;
    bool m_wasMaximizedBeforeFullScreen = false;
    QString m_mediaTitle;
    QString m_mediaPath;
    QString m_captionText;
    QLabel* m_caption = nullptr;
    QToolButton* m_close = nullptr;
    QSystemTrayIcon* m_tray = nullptr;
    FancyList* m_list = nullptr;
    VideoArea* m_video = nullptr;
    TransportBar* m_transport = nullptr;
    QLabel* m_intakeProgress = nullptr;
};
