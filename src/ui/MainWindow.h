#pragma once

#include "app/Settings.h"
#include "app/SettingsEnvironment.h"

#include <QWidget>

class FancyList;
class QLabel;
class QSystemTrayIcon;
class QToolButton;
class TransportBar;
class VideoArea;

// Korvane's frameless main window. It owns the settings record and applies it; the parts it
// shows are composed from their own classes.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 388;
    static constexpr int kDefaultHeight = 515;

    explicit MainWindow(const SettingsEnvironment& environment, QWidget* parent = nullptr);
    ~MainWindow() override;

    Settings& settings() { return m_settings; }
    const Settings& settings() const { return m_settings; }
    QString configPath() const { return m_configPath; }
    void setConfigPath(const QString& path) { m_configPath = path; }

    void LoadConfigurations();
    bool WriteConfigurations();
    void SetLoadedOptions();
    void SetTopmost(bool topmost);

    void setLoading(bool loading) { m_loading = loading; }
    bool isLoading() const { return m_loading; }
    bool isMaximizedByToggle() const { return m_maximized; }
    bool isMediaActive() const { return m_mediaActive; }

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

    // A command handed over by a later start ("<path>" or "<path> *Add").
    void receiveCommand(const QString& text);

    // Runs the shutdown once: saves the settings, releases what the window holds, quits.
    void shutdown();

signals:
    // The settings were read again; the engine options follow them.
    void settingsLoaded();
    // The settings are saved; what plays is to be released before the process ends.
    void shuttingDown();
    // A file to take into the playlist, as the command line and hand-over ask for it.
    void fileRequested(const QString& title, const QString& path, bool fullScreen, bool playNow);

protected:
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void layoutParts();
    QPoint pixels(qint32 xTwips, qint32 yTwips) const;
    void setCaptionText(const QString& text);
    void rebuildCaption();

    SettingsEnvironment m_environment;
    Settings m_settings;
    QString m_configPath;
    bool m_loading = true;
    bool m_maximized = false;
    bool m_mediaActive = false;
    bool m_shutDown = false;
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
