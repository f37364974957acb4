#pragma once

#include <QString>

class QFontMetrics;
class QWidget;

// Shortens a text to 96 % of the widget's width, ending it in "..." when it does not fit. When
// the text had to be shortened, the widget's tool tip shows it whole.
QString FitTextWithEllipsis(QWidget* widget, const QString& text);

// The measuring step alone: the longest start of the text that, followed by "...", fits.
QString elideWithDots(const QString& text, const QFontMetrics& metrics, int width);
