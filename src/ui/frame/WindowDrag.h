#pragma once

#include <QPoint>
#include <optional>

// A window dragged by its caption. Nothing moves until the pointer has left the press by the
// threshold, so the second press of a double-click still reaches the window; from then on the
// window stands where the pointer's travel since the press puts it.
class WindowDrag
{
public:
    explicit WindowDrag(int threshold) : m_threshold(threshold) {}

    void press(QPoint pointer, QPoint window);
    void release() { m_phase = Phase::Idle; }
    bool isHeld() const { return m_phase != Phase::Idle; }
    bool hasBegun() const { return m_phase == Phase::Following; }
    // Where the window goes with the pointer at `pointer` (global), or none while the pointer is
    // still within the threshold of the press or no drag is held.
    std::optional<QPoint> follow(QPoint pointer);

private:
    enum class Phase
    {
        Idle,
        Pressed,
        Following,
    };

    int m_threshold;
    Phase m_phase = Phase::Idle;
    QPoint m_pressPointer;
    QPoint m_pressWindow;
};
