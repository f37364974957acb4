#include "startup/CommandLineInfo.h"

#include "util/Product.h"
#include "util/Version.h"

std::optional<QString> CommandLineInfo::reply(const QStringList& arguments)
{
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    const QString& asked = arguments.first();
    if (asked == QLatin1String("--version") || asked == QLatin1String("-v")) {
        return versionText();
    }
    if (asked == QLatin1String("--help") || asked == QLatin1String("-h")) {
        return helpText();
    }
    return std::nullopt;
}

QString CommandLineInfo::versionText()
{
    return korvane::kProductName + u' ' + korvane::version() + u'\n';
}

QString CommandLineInfo::helpText()
{
    return QStringLiteral(
        "Usage: korvane [FILE | FOLDER]... [*Add]\n"
        "       korvane --version | --help\n"
        "\n"
        "Plays audio and video files with a playlist of thumbnails.\n"
        "\n"
        "  FILE      a media file; when all the arguments together name one existing file\n"
        "            (a name with blanks, unquoted), that file is opened\n"
        "  FOLDER    every media file in the folder and the folders below it, by name\n"
        "  *Add      add the files to the playlist without playing the first\n"
        "  --version print the version and end\n"
        "  --help    print this text and end\n"
        "\n"
        "When Korvane is already running, the files go to that player and this start ends\n"
        "(the option \"Use new player for each media file played.\" keeps every start\n"
        "separate).\n"
        "Files Korvane cannot open are named in a message that says why.\n"
        "\n"
        "Files written: $XDG_CONFIG_HOME/Korvane/Config.cfg and store.ini (default ~/.config),\n"
        "and, for file associations, ~/.local/share/applications/korvane*.desktop and\n"
        "$XDG_CONFIG_HOME/mimeapps.list.\n"
        "See korvane(1) for the keys.\n");
}
