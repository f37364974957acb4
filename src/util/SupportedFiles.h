#pragma once

#include <QString>
#include <QStringList>

// The 24 media extensions Korvane takes in. Their order is shared with the association flags,
// the association pass and the open dialog's filters, so it must never change.
const QStringList& SupportedExtensions();

// True when the extension of the path's last component matches one of SupportedExtensions,
// ignoring case. A name without a dot, or ending in one, has no extension.
bool isSupportedFile(const QString& path);

// The text after the last '/' of a path (the whole text when there is none).
QString fileNameOfPath(const QString& path);
