#pragma once

#include <QByteArray>
#include <QString>

namespace korvane {

// Replaces a file whole or not at all: the bytes go to a new file beside it, every write, the
// sync to disk and the close are checked, and only then does the new file take the old one's
// name. On failure the old file is untouched, the new one is removed, and `error` (when given)
// says what went wrong. A symbolic link at `path` is replaced by a plain file, never followed.
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                 int mode = 0600);

} // namespace korvane
