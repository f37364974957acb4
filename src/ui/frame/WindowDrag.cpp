#include "ui/frame/WindowDrag.h"

void WindowDrag::press(QPoint pointer, QPoint window)
{
    m_phase = Phase::Pressed;
    m_pressPointer = pointer;
    m_pressWindow = window;
}

std::optional<QPoint> WindowDrag::follow(QPoint pointer)
{
    const QPoint travel = pointer - m_pressPointer;
    switch (m_phase) {
    case Phase::Idle:
        return std::nullopt;
    case Phase::Pressed:
        if (travel.manhattanLength() < m_threshold) {
            return std::nullopt;
        }
        m_phase = Phase::Following;
        break;
    case Phase::Following:
        break;
    }
    return m_pressWindow + travel;
}
