#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The text of Korvane's two desktop entries: the player, and its hidden "Add To Playlist" verb.
namespace DesktopEntryText {

// One argument of an Exec line, quoted when the desktop would otherwise split or expand it, and
// escaped for the key file's own string rules.
QString execArgument(const QString& argument);

QByteArray playerEntry(const QString& executable, const QString& icon,
                       const QStringList& mimeTypes);
QByteArray enqueueEntry(const QString& executable, const QString& icon,
                        const QStringList& mimeTypes);

} // namespace DesktopEntryText
