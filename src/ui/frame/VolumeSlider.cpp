#include "ui/frame/VolumeSlider.h"

#include "playback/TransportArithmetic.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

VolumeSlider::VolumeSlider(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ImgSlider"));
    setToolTip(tr("Volume"));
}

void VolumeSlider::paintEvent(QPaintEvent*)
{
    const int knob = knobLeft();
    QPainter painter(this);
    const QRect track(3, height() / 2 - 2, width() - 6, 4);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(track, QColor(29, 33, 26));
    painter.fillRect(QRect(track.left(), track.top(), qMax(0, knob - 3 + KnobWidth / 2), 4),
                     QColor(198, 215, 154));
    painter.setBrush(QColor(242, 255, 255));
    painter.setPen(QColor(48, 54, 44));
    painter.drawRoundedRect(QRectF(knob + 0.5, 1.5, KnobWidth - 1, height() - 3), 3, 3);
}

void VolumeSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        setFrom(qRound(event->position().x()));
    }
}

void VolumeSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons() & Qt::LeftButton) {
        setFrom(qRound(event->position().x()));
    }
}

void VolumeSlider::setFrom(int x)
{
    const std::optional<TransportArithmetic::Volume> volume =
        TransportArithmetic::volume(x, width());
    if (!volume) {
        return;
    }
    m_knobLeft = volume->knobLeft;
    m_value = volume->value;
    update();
    emit volumeChanged(m_value);
}

void VolumeSlider::setValue(int volume)
{
    m_value = std::clamp(volume, 0, 100);
    // Placed from the value at each paint: the slider may not have its width yet.
    m_knobLeft = -1;
    update();
}

int VolumeSlider::knobLeft() const
{
    // Where a press would have to be for this value.
    return m_knobLeft >= 0 ? m_knobLeft
                           : qRound(m_value * std::max(0, width() - KnobWidth) / 100.0);
}
