#include "ui/ProgressBar.h"

#include "playback/TransportArithmetic.h"

#include <QMouseEvent>
#include <QPainter>

ProgressBar::ProgressBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("IMGProgressBack"));
    setCursor(Qt::PointingHandCursor);
}

void ProgressBar::SetProgress(int percent)
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
    painter.fillRect(rect(), palette().mid());
    painter.fillRect(QRect(0, 0, m_fillWidth, height()), palette().highlight());
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
