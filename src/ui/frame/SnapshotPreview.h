#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

// A small copy of the snapshot just taken, over the video for 2 s. It has a window of its own,
// so it shows above the engine's video window.
class SnapshotPreview : public QWidget
{
    Q_OBJECT
public:
    static constexpr int ShownMs = 2000;
    static constexpr QSize MaxSize{160, 120};

    explicit SnapshotPreview(QWidget* parent = nullptr);

    // Shows `image` scaled into MaxSize with its top-left corner at `at` (parent coordinates).
    void showImage(const QImage& image, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    QTimer m_hide;
};
