#pragma once

#include <QString>

namespace korvane {

// The folder for the instance lock and sockets: $XDG_RUNTIME_DIR, or else "korvane-<uid>" in
// the temp folder, created on demand. Either must be a real folder (not a link) owned by this
// user and closed to everyone else, since a folder another user controls could redirect what the
// player creates there. When another user holds "korvane-<uid>", a private folder with a random
// name is made instead. Empty when none can be had.
QString privateRuntimeFolder();
QString privateRuntimeFolder(const QString& runtimeDir, const QString& tempDir);

// Whether path is a folder, not a link, owned by this user, with no access for group or others.
bool isPrivateFolder(const QString& path);

} // namespace korvane
