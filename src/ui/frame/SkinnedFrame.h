#pragma once

#include "skin/EdgeResize.h"
#include "skin/SkinButtons.h"
#include "skin/SkinImages.h"
#include "skin/SkinLayout.h"

#include <QPoint>
#include <QWidget>

// A frameless window that draws its own frame from the skin and behaves as a frame would: it
// moves by its caption, resizes by its right and bottom edges, and its skin buttons light up
// under the pointer, press, and report their clicks.
class SkinnedFrame : public QWidget
{
    Q_OBJECT
public:
    explicit SkinnedFrame(double twipsPerPixelX, double twipsPerPixelY, QWidget* parent = nullptr);

    const HitRectTable& hitRects() const { return m_hitRects; }
    const ButtonStateTable& buttonStates() const { return m_buttons.buttonStates(); }
    const SkinImages& skinImages() const { return m_images; }
    int loadSkinImages(const QString& programFolder);
    // The region under a point of the client area, as the last paint laid it out.
    int hitTestAt(QPoint clientPoint) const { return SkinLayout::hitTest(m_hitRects, clientPoint); }
    // The region under the mouse pointer now.
    int hitTestCursor() const;

    void enableMediaControl(int playState);
    void setMuted(bool muted);
    bool isMuted() const { return m_muted; }
    void toggleMaximized();
    bool isMaximizedByToggle() const { return m_maximized; }
    // Puts the window into the topmost band or takes it out, where it stands.
    void setTopmost(bool topmost);
    // The window follows the pointer until the button is released.
    void beginWindowDrag(QPoint globalPressPoint);

signals:
    // A skin button was clicked (pressed and released on the window, enabled).
    void regionClicked(SkinRegion region);
    void rewindPressed();
    void rewindReleased();
    void fastForwardPressed();
    void fastForwardReleased();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The caption label lies on the caption strip: it moves the window, and a double-click
    // there runs the maximise toggle.
    void setCaptionLabel(QWidget* label);
    // Where the window stood before the maximise toggle, in pixels.
    QPoint restoredPosition() const { return m_restoredPosition; }
    // Full-screen video hides the frame.
    void setFrameHidden(bool hidden);
    bool isFrameHidden() const { return m_frameHidden; }
    virtual void maximizeToggled(bool maximized) { Q_UNUSED(maximized); }

private:
    void click(int hit);

    QWidget* m_captionLabel = nullptr;
    SkinImages m_images;
    SkinButtons m_buttons;
    HitRectTable m_hitRects{};
    EdgeResize m_resize;
    bool m_muted = false;
    bool m_maximized = false;
    bool m_frameHidden = false;
    bool m_clickPending = false;
    bool m_movingByHand = false;
    QPoint m_dragOffset;
    QPoint m_restoredPosition;
};
