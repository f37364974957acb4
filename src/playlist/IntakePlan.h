#pragma once

#include <QStringList>

// Names given together, sorted out before anything is probed: the files to describe, in order
// (each folder's media files in its place), and what is refused without probing.
struct IntakePlan
{
    QStringList files;
    QStringList refusedTypes; // existing files whose extension Korvane does not open
    QStringList emptyFolders; // folders without a media file anywhere below them
    QStringList notLocal;     // names that are no absolute path (an address from D-Bus)
};
