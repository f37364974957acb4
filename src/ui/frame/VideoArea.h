#pragma once

#include "playback/VideoSurface.h"

#include <QImage>
#include <QWidget>

// Where the engine draws the video, and the panel over it: it takes the double-click, the
// right-click and dropped files. For items without video it shows the audio picture, stretched
// over the whole area.
class VideoArea : public QWidget, public VideoSurface
{
    Q_OBJECT
public:
    explicit VideoArea(QWidget* parent = nullptr);

    quint64 videoWindowId() override { return winId(); }

    void setAudioLogo(const QImage& logo) { m_logo = logo; }
    void setAudioOnly(bool audioOnly);
    bool isAudioOnly() const { return m_audioOnly; }

signals:
    void doubleClicked();
    void escapePressed();
    void rightClicked(QPoint position);
    // Supported files dropped on the video, in the order given.
    void filesDropped(const QStringList& paths);
    // The wheel turned over the video, in the wheel event's angle units.
    void wheelTurned(int angleDelta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QImage m_logo;
    bool m_audioOnly = false;
};
