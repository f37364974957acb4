#include "ui/frame/VideoArea.h"

#include "playback/engine/VideoFrames.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>
#include <QWheelEvent>

VideoArea::VideoArea(QWidget* parent) : QWidget(parent)
{
    // A window of its own: the pointer entering it leaves the skinned frame, which puts out the
    // button it was over.
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

void VideoArea::showFrames(std::shared_ptr<VideoFrames> frames)
{
    if (m_frames) {
        disconnect(m_frames.get(), nullptr, this, nullptr);
    }
    m_frames = std::move(frames);
    if (m_frames) {
        connect(m_frames.get(), &VideoFrames::pictureChanged, this, qOverload<>(&QWidget::update));
    }
    update();
}

QRect VideoArea::pictureRect() const
{
    return m_audioOnly || !m_frames ? QRect() : fitted(m_frames->picture().size());
}

QRect VideoArea::fitted(QSize picture) const
{
    if (picture.isEmpty()) {
        return {};
    }
    const double aspect = m_frames->displayAspect();
    if (aspect > 0.0) {
        picture = QSize(qRound(picture.height() * aspect), picture.height());
    }
    const QSize shown = picture.scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

void VideoArea::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_audioOnly && !m_logo.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_logo);
        return;
    }
    const QImage picture = m_frames ? m_frames->picture() : QImage();
    const QRect target = m_audioOnly ? QRect() : fitted(picture.size());
    if (target.isEmpty()) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    // Only the bars around the picture need black.
    const QRegion bars = QRegion(rect()).subtracted(target);
    for (const QRect& bar : bars) {
        painter.fillRect(bar, Qt::black);
    }
    if (target.size() != picture.size()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    painter.drawImage(target, picture);
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
