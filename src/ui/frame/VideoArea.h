#pragma once

#include "playback/engine/VideoSurface.h"

#include <QImage>
#include <QWidget>
#include <memory>

// Shows the engine's pictures, fitted with their aspect, and is the panel over them: it takes
// the double-click, the right-click and dropped files. For items without video it shows the
// audio picture, stretched over the whole area.
class VideoArea : public QWidget, public VideoSurface
{
    Q_OBJECT
public:
    explicit VideoArea(QWidget* parent = nullptr);

    void showFrames(std::shared_ptr<VideoFrames> frames) override;
    // Where the picture lies in the area; empty while there is none.
    QRect pictureRect() const;

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
    // Where a picture of this size lies, fitted with the frames' display shape.
    QRect fitted(QSize picture) const;

    std::shared_ptr<VideoFrames> m_frames;
    QImage m_logo;
    bool m_audioOnly = false;
};
