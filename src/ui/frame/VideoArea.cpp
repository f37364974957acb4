#include "ui/frame/VideoArea.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <QWheelEvent>

VideoArea::VideoArea(QWidget* parent) : QWidget(parent)
{
    // libVLC draws into this widget's own X window.
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(false);
    setAcceptDrops(true);
}

namespace {

// Every local file and folder: the intake takes in what it can and names what it refuses.
QStringList localFilesOf(const QMimeData* data)
{
    QStringList paths;
    if (data == nullptr || !data->hasUrls()) {
        return paths;
    }
    const QList<QUrl> urls = data->urls();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) {
            paths.append(url.toLocalFile());
        }
    }
    return paths;
}

} // namespace

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

void VideoArea::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit rightClicked(event->position().toPoint());
        return;
    }
    QWidget::mousePressEvent(event);
}

void VideoArea::dragEnterEvent(QDragEnterEvent* event)
{
    if (!localFilesOf(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void VideoArea::dragMoveEvent(QDragMoveEvent* event)
{
    if (!localFilesOf(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void VideoArea::dropEvent(QDropEvent* event)
{
    const QStringList paths = localFilesOf(event->mimeData());
    if (paths.isEmpty()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    emit filesDropped(paths);
}

void VideoArea::wheelEvent(QWheelEvent* event)
{
    emit wheelTurned(event->angleDelta().y());
    event->accept();
}
