#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The questions a command line may ask instead of naming files: the version and the usage. They
// are answered on standard output, and the process ends without a window or a hand-over.
class CommandLineInfo
{
public:
    // The text to print when the arguments are exactly one of --version, -v, --help, -h;
    // nothing otherwise (a file may well be named "-h" among others).
    static std::optional<QString> reply(const QStringList& arguments);
    static QString versionText();
    static QString helpText();
};
