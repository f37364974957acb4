#include "ui/VideoArea.h"

#include <QKeyEvent>
#include <QPainter>

VideoArea::VideoArea(QWidget* parent) : QWidget(parent)
{
    // libVLC draws into this widget's own X window.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
}

void VideoArea::setAudioOnly(bool audioOnly)
{
    if (m_audioOnly != audioOnly) {
        m_audioOnly = audioOnly;
        update();
    }
}

void VideoArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_audioOnly && !m_logo.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_logo);
    } else {
        painter.fillRect(rect(), Qt::black);
    }
}

void VideoArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void VideoArea::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        emit escapePressed();
        return;
    }
    QWidget::keyPressEvent(event);
}
