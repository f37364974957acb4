#pragma once

#include <QString>
#include <QStringList>

// The media files of a folder and of every folder below it, for one intake.
class FolderScan
{
public:
    // Full paths of the files that pass the extension test, ordered by their path below the
    // folder: a case-insensitive comparison in which runs of digits count as numbers, so
    // "clip 2" comes before "clip 10". Links to folders are not followed (a loop would never
    // end); links to files are taken. Hidden files and folders are left out.
    static QStringList mediaFiles(const QString& folder);
    // The order above, for two paths relative to the same folder.
    static bool lessByName(const QString& a, const QString& b);
};
