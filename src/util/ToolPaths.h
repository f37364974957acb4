#pragma once

#include <QString>

namespace korvane {

// The folder of the running program, with a trailing "/".
QString programFolder();

// A name without "/", "\" or ":" is taken as a file in the program folder; anything else is a
// path and comes back unchanged.
QString completeProgramPath(const QString& program);

// The copy of an outside tool in the program folder when it is there and executable, else the one
// found on PATH, else an empty string (running an empty program fails with error 2003).
QString findTool(const QString& name);

} // namespace korvane
