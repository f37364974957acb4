#pragma once

#include <QObject>
#include <QPoint>
#include <QTimer>

// While the window is full screen: a pointer movement shows the control band and the pointer,
// and 2 s without movement hide both. One single-shot timer, restarted by movement; nothing
// runs while the pointer stands still or the window is not full screen.
class FullScreenBand : public QObject
{
    Q_OBJECT
public:
    static constexpr int StillMs = 2000;

    explicit FullScreenBand(QObject* parent = nullptr);
    ~FullScreenBand() override;

    void setActive(bool active);
    bool isActive() const { return m_active; }
    bool isShown() const { return m_shown; }
    bool isPointerHidden() const { return m_pointerHidden; }
    bool isTimerRunning() const { return m_still.isActive(); }
    // How long the pointer must stand still; tests shorten it.
    void setStillInterval(int ms) { m_still.setInterval(ms); }

    // The pointer moved to `global` (screen coordinates); the same place again is no movement.
    void pointerMoved(QPoint global);

signals:
    void shownChanged(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void stood();
    void setShown(bool shown);
    void setPointerHidden(bool hidden);

    QTimer m_still;
    QPoint m_lastPointer;
    bool m_active = false;
    bool m_shown = false;
    bool m_pointerHidden = false;
};
