#pragma once

#include <QString>

namespace korvane {

// Where a damaged file is kept before it is replaced: the first free of path.bak, path.bak.1 ...
// path.bak.9, so the user's values and older backups stay. When all ten are taken the newest,
// path.bak.9, gives way. A dangling link counts as taken.
QString backupName(const QString& path);

} // namespace korvane
