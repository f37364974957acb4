#pragma once

#include "skin/EdgeResize.h"
#include "skin/SkinImages.h"
#include "skin/SkinLayout.h"
#include "ui/frame/SkinnedWindow.h"

#include <QPoint>
#include <QWidget>

// The main window's frame, drawn from the skin, behaving as a system frame would: it moves by
// its caption, resizes by its right and bottom edges, maximises by its caption, and its skin
// buttons light up under the pointer, press, and report their clicks.
class SkinnedFrame : public QWidget, public SkinnedWindow
{
    Q_OBJECT
public:
    explicit SkinnedFrame(double twipsPerPixelX, double twipsPerPixelY, QWidget* parent = nullptr);

    const SkinImages& skinImages() const { return m_images; }
    int loadSkinImages(const QString& programFolder);

    void enableMediaControl(int playState);
    void setMuted(bool muted);
    bool isMuted() const { return m_muted; }
    void toggleMaximized();
    bool isMaximizedByToggle() const { return m_maximized; }
    // Puts the window into the topmost band or takes it out, where it stands.
    void setTopmost(bool topmost);
    bool isTopmost() const { return m_topmost; }

signals:
    // A skin button was clicked (pressed and released on the window, enabled).
    void regionClicked(SkinRegion region);
    void rewindPressed();
    void rewindReleased();
    void fastForwardPressed();
    void fastForwardReleased();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The caption label lies on the caption strip: it moves the window, and a double-click
    // there runs the maximise toggle.
    void setCaptionLabel(QWidget* label);
    // Where the window stands on the screen, in pixels; the window's own idea is brought in
    // line with it.
    QPoint placeOnScreen();
    // Where the window stood before the maximise toggle, in pixels.
    QPoint restoredPosition() const { return m_restoredPosition; }
    // Full-screen video hides the frame.
    void setFrameHidden(bool hidden) { setSkinHidden(hidden); }
    // Only the control strip at the bottom is drawn and answers the mouse.
    void setControlBandOnly(bool bandOnly);
    bool isControlBandOnly() const { return m_bandOnly; }
    bool isFrameHidden() const { return isSkinHidden(); }
    virtual void maximizeToggled(bool maximized) { Q_UNUSED(maximized); }

    std::vector<SkinPiece> skinPieces() const override;
    void skinClicked(int region) override;
    void skinPressed(QMouseEvent& event, int region) override;
    bool captionMayDrag() const override;
    void skinMoved(QMouseEvent& event) override;
    void skinReleased(QMouseEvent& event, int region) override;
    bool skinDoubleClicked(int region) override;

private:
    void applyTopmost();

    QWidget* m_captionLabel = nullptr;
    SkinImages m_images;
    EdgeResize m_resize;
    SkinRegion m_held = SkinRegion::None; // Rewind or FastForward while pressed
    bool m_muted = false;
    bool m_bandOnly = false;
    bool m_maximized = false;
    bool m_topmost = false;
    // Where the window asked to show, until its first paint.
    QPoint m_shownAt;
    bool m_placementUnsettled = false;
    QPoint m_restoredPosition;
};
