#include "ui/frame/ProgressBar.h"

#include "playback/TransportArithmetic.h"
#include "util/ToolPaths.h"

#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("IMGProgressBack"));
    setCursor(Qt::PointingHandCursor);
    // Decoded once: the picture never changes while the program runs.
    m_back = QImage(
        QDir(korvane::programFolder()).filePath(QStringLiteral("images/ProgressBarBack.jpg")));
}

void ProgressBar::setProgress(int percent)
{
    m_percent = percent;
    m_fillWidth = TransportArithmetic::progressFillWidth(percent, width());
    update();
}

void ProgressBar::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_fillWidth = TransportArithmetic::progressFillWidth(m_percent, width());
}

void ProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_back.isNull()) {
        painter.fillRect(rect(), QColor(38, 43, 35));
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), m_back);
    }
    painter.fillRect(QRect(0, 1, m_fillWidth, height() - 2),
                     isEnabled() ? QColor(198, 215, 154) : QColor(120, 128, 110));
}

void ProgressBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        seekTo(qRound(event->position().x()));
    }
}

void ProgressBar::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        seekTo(qRound(event->position().x()));
    }
}

void ProgressBar::seekTo(int x)
{
    const std::optional<TransportArithmetic::Seek> seek = TransportArithmetic::seek(x, width());
    if (!seek) {
        return;
    }
    m_fillWidth = seek->fillWidth;
    update();
    emit seekRequested(seek->position);
}

void ProgressBar::wheelEvent(QWheelEvent* event)
{
    emit wheelTurned(event->angleDelta().y());
    event->accept();
}
