#pragma once

#include <QString>

class QFontMetrics;

// Shortens a text to 96 % of a label's width, ending it in "..." when it does not fit.
QString fitTextWithEllipsis(const QString& text, const QFontMetrics& metrics, int labelWidth);

// The measuring step alone: the longest start of the text that, followed by "...", fits.
QString elideWithDots(const QString& text, const QFontMetrics& metrics, int width);
