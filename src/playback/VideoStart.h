#pragma once

#include <QObject>
#include <QTimer>

class EngineHost;
class Transport;

// Whether a new item shows video, and a full-screen start that waits for the video to appear.
class VideoStart : public QObject
{
    Q_OBJECT
public:
    // How long a new item may take to show video before a full-screen start gives up waiting.
    static constexpr int SettleMs = 1500;

    VideoStart(EngineHost& host, const Transport& transport, QObject* parent = nullptr);

    // A new item starts; with `fullScreen` the window goes full screen once its video shows.
    void begin(bool fullScreen);

signals:
    void audioOnlyChanged(bool audioOnly);
    void fullScreenRequested(bool on);

private:
    void videoAppeared();

    EngineHost& m_host;
    const Transport& m_transport;
    bool m_pendingFullScreen = false;
    QTimer m_settle;
};
