#pragma once

#include <QString>
#include <QStringList>

// The 24 media extensions that have an association flag. Their order is shared with the
// association flags, the association pass and the open dialog's filters, so it must never change.
const QStringList& SupportedExtensions();

// Every extension Korvane takes in: the 24 first, in their order, then the other media
// extensions the engine plays, and every further extension of a media type that an association
// claims (a file the desktop hands over for such a type must not be turned away).
const QStringList& MediaExtensions();

// True when the extension of the path's last component matches one of MediaExtensions,
// ignoring case. A name without a dot, or ending in one, has no extension.
bool isSupportedFile(const QString& path);

// The text after the last '/' of a path (the whole text when there is none).
QString fileNameOfPath(const QString& path);
