#pragma once

#include "skin/AboutBoxGeometry.h"

#include <QDialog>
#include <QUrl>
#include <functional>

class QLabel;
class QPainter;

// The About box: a small frameless modal window skinned like the main window, with a skinned
// close button and OK button, a caption strip to drag it by, and a link to VideoLAN's site.
class AboutBox : public QDialog
{
    Q_OBJECT
public:
    // Draws one skin slot scaled into a rectangle; the box knows where, not how.
    using PiecePainter = std::function<void(QPainter&, int slot, const QRect&)>;
    using UrlOpener = std::function<void(const QUrl&)>;

    AboutBox(PiecePainter painter, UrlOpener opener, QWidget* parent = nullptr);
    ~AboutBox() override;

    const AboutBoxGeometry::States& buttonStates() const { return m_states; }
    QLabel* okLabel() const { return m_ok; }
    QLabel* linkLabel() const { return m_link; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int hitAt(QPoint point) const;
    void placeOkLabel();

    PiecePainter m_painter;
    UrlOpener m_opener;
    AboutBoxGeometry::States m_states{};
    QLabel* m_caption = nullptr;
    QLabel* m_description = nullptr;
    QLabel* m_basedOn = nullptr;
    QLabel* m_link = nullptr;
    QLabel* m_ok = nullptr;
    bool m_dragging = false;
    QPoint m_dragOffset;
};
