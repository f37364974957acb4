#pragma once

#include <QImage>
#include <QWidget>

// The progress bar under the video: a fill over a background. A press or a drag with the left
// button seeks, except over the last two pixels.
class ProgressBar : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressBar(QWidget* parent = nullptr);

    // The fill covers this share of the bar.
    void setProgress(int percent);
    int fillWidth() const { return m_fillWidth; }
    QSize sizeHint() const override { return {200, 10}; }

signals:
    void seekRequested(double position);
    // The wheel turned over the bar, in the wheel event's angle units.
    void wheelTurned(int angleDelta);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void seekTo(int x);

    QImage m_back;
    int m_percent = 0;
    int m_fillWidth = 0;
};
