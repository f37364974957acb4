#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

namespace korvane {

// Runs outside programs for the probes. Both calls block the calling thread, so they belong on
// worker threads; one runner may serve several threads at once.
class ProcessRunner
{
public:
    static constexpr std::chrono::milliseconds DefaultTimeLimit{60000};

    virtual ~ProcessRunner() = default;

    // Runs command[0] with the remaining items as its arguments (no shell), standard output and
    // standard error merged. outputFile then holds commandLineText(command), CR LF and every byte
    // the program wrote, in arrival order. An empty workingFolder keeps the caller's current
    // folder. Returns true once the program has ended and its output is in the file; every failure
    // throws RunnerError (2001-2006) and leaves outputFile as it was.
    virtual bool runPipedCommand(const QStringList& command, const QString& outputFile,
                                 const QString& workingFolder = QString(),
                                 std::chrono::milliseconds timeLimit = DefaultTimeLimit) = 0;

    // Starts program with parameters, its output discarded. A program without "/", "\" or ":" is
    // taken from the program folder, and program receives the completed path. The program runs in
    // the folder that holds it. With wait, returns after the program ended (or was killed at the
    // time limit). Returns whether the program was started; never throws.
    virtual bool shellAndWait(QString& program, const QStringList& parameters, bool wait = true,
                              std::chrono::milliseconds timeLimit = DefaultTimeLimit) = 0;
};

// The text written as the first line of a capture file: the items joined by one blank, an item
// that is empty or holds a blank, tab or double quote written inside double quotes. Control
// characters and Unicode line separators are written as \xHH, so the text is always one line;
// everything else appears verbatim.
QString commandLineText(const QStringList& command);

} // namespace korvane
