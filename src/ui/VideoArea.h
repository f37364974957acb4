#pragma once

#include "playback/VideoSurface.h"

#include <QImage>
#include <QWidget>

// Where the engine draws the video. For items without video it shows the audio picture,
// stretched over the whole area.
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

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage m_logo;
    bool m_audioOnly = false;
};
