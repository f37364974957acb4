#pragma once

#include <QWidget>

// The volume slider: a knob on a track. A press or a drag with the left button sets the volume
// from the pointer's place; outside the track's margins nothing changes.
class VolumeSlider : public QWidget
{
    Q_OBJECT
public:
    static constexpr int KnobWidth = 10;

    explicit VolumeSlider(QWidget* parent = nullptr);

    int value() const { return m_value; }
    // Moves the knob to `volume` (0 .. 100) without reporting a change.
    void setValue(int volume);
    int knobLeft() const;
    QSize sizeHint() const override { return {70, 14}; }

signals:
    void volumeChanged(int volume);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setFrom(int x);

    int m_value = 100;
    // -1 while the knob follows the value rather than the last press.
    int m_knobLeft = -1;
};
