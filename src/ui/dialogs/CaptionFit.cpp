#include "ui/dialogs/CaptionFit.h"

#include <QAbstractButton>
#include <QLabel>

namespace CaptionFit {

namespace {

constexpr double kSmallestPoints = 6.0;
constexpr int kSmallestPixels = 8;

// Steps the font down until `fits` holds or the font would become unreadable. A font may be
// given in pixels or in points.
template <typename Fits> void shrinkUntil(QWidget* widget, Fits fits)
{
    QFont font = widget->font();
    while (!fits()) {
        if (font.pixelSize() > kSmallestPixels) {
            font.setPixelSize(font.pixelSize() - 1);
        } else if (font.pixelSize() <= 0 && font.pointSizeF() > kSmallestPoints) {
            font.setPointSizeF(font.pointSizeF() - 0.25);
        } else {
            return;
        }
        widget->setFont(font);
    }
}

} // namespace

void fitButtons(QWidget* container, int right)
{
    const auto buttons = container->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly);
    for (QAbstractButton* button : buttons) {
        if (button->text().isEmpty()) {
            continue;
        }
        const int room = right - button->x();
        if (button->sizeHint().width() > button->width()) {
            button->resize(qMin(button->sizeHint().width(), room), button->height());
        }
        shrinkUntil(button, [button] { return button->sizeHint().width() <= button->width(); });
    }
}

void centreOnFace(QLabel* label, const QRect& face, int margin)
{
    label->adjustSize();
    shrinkUntil(label, [label, &face, margin] {
        label->adjustSize();
        return label->width() + 2 * margin <= face.width();
    });
    label->move(face.center() - label->rect().center());
}

} // namespace CaptionFit
