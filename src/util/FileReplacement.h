#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace korvane {

// Replaces a file whole or not at all: the bytes go to a new file beside it, every write, the
// sync to disk and the close are checked, and only then does the new file take the old one's
// name. On failure the old file is untouched, the new one is removed, and `error` (when given)
// says what went wrong. A symbolic link at `path` is written through when it leads to a regular
// file of this user (the link stays, the file it names is replaced); any other link is refused.
bool replaceFile(const QString& path, const QByteArray& bytes, QString* error = nullptr,
                 int mode = 0600);

// The file a write of `path` replaces: the path itself, or the file a symbolic link there leads
// to. None, with `error` saying why, for a link that may not be written through.
std::optional<QString> writeTarget(const QString& path, QString* error = nullptr);

} // namespace korvane
