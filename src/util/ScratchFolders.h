#pragma once

#include <QString>

namespace korvane {

// Scratch folders carry the id of the process that made them: "<prefix><pid>-<random>". A run
// that is killed leaves its folders behind; a later start removes them, and only them: folders of
// processes still running, of other users, links and other names stay.
QString scratchPattern(const QString& root, const QString& prefix); // for QTemporaryDir
int removeStaleScratchFolders(const QString& root, const QString& prefix);

} // namespace korvane
