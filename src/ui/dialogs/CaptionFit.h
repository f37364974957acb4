#pragma once

class QLabel;
class QRect;
class QWidget;

// Captions laid out for one face may run wider in another: these make every word of them show.
namespace CaptionFit {

// Widens each captioned button directly inside `container` up to `right` (in the container's
// coordinates) as its text needs, and steps its font down where even that is not enough.
void fitButtons(QWidget* container, int right);

// Centres a caption on a painted button face, stepping its font down until it keeps `margin`
// pixels clear of either side.
void centreOnFace(QLabel* label, const QRect& face, int margin);

} // namespace CaptionFit
