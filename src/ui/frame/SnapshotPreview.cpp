#include "ui/frame/SnapshotPreview.h"

#include <QPainter>

SnapshotPreview::SnapshotPreview(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("SnapshotPreview"));
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
    m_hide.setSingleShot(true);
    m_hide.setInterval(ShownMs);
    connect(&m_hide, &QTimer::timeout, this, &QWidget::hide);
}

void SnapshotPreview::showImage(const QImage& image, QPoint at)
{
    if (image.isNull()) {
        return;
    }
    m_image = image.scaled(MaxSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    setGeometry(QRect(at, m_image.size() + QSize(2, 2)));
    show();
    raise();
    update();
    m_hide.start();
}

void SnapshotPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(242, 255, 255));
    painter.drawImage(QPoint(1, 1), m_image);
}
