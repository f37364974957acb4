#pragma once

#include "settings/ConfigFile.h"
#include "settings/Settings.h"
#include "settings/SettingsEnvironment.h"

#include <QByteArray>
#include <QList>
#include <ostream>

// Shows a failing comparison as the file it would write, which is far easier to read.
inline void PrintTo(const Settings& settings, std::ostream* os)
{
    *os << ConfigFile::format(settings).toStdString();
}

namespace settingstest {

// A 96 DPI machine with a 1024 x 768 screen.
inline SettingsEnvironment environment()
{
    SettingsEnvironment env;
    env.desktopFolder = QStringLiteral("/home/ann/Desktop");
    env.picturesFolder = QStringLiteral("/home/ann/Pictures");
    env.twipsPerPixelX = 15.0;
    env.twipsPerPixelY = 15.0;
    env.screenWidthTwips = 1024 * 15.0;
    env.screenHeightTwips = 768 * 15.0;
    return env;
}

// The file as the first start on that machine leaves it, built line by line by hand.
inline QByteArray defaultFileBytes()
{
    QList<QByteArray> lines = {"English", "/home/ann/Desktop",
                               " 1 ",     " 2 ",
                               " 0 ",     " 1 ",
                               " 1 ",     " 0 ",
                               " 0 ",     " 0 ",
                               " 0 ",     " 1 ",
                               " 0 ",     "/home/ann/Pictures",
                               "IMG_",    " 1 ",
                               " 0 "};
    for (int i = 0; i < 24; ++i) {
        lines.append(" 0 ");
    }
    lines.append({" 4770 ", " 1898 ", " 5820 ", " 7725 ", " 0 "});
    QByteArray out;
    for (const QByteArray& line : lines) {
        out += line + "\r\n";
    }
    return out;
}

// A file of plain values, no quotes, with Windows paths and -1 for ticked extensions.
inline QByteArray unquotedValuesFile()
{
    QList<QByteArray> lines = {"English", "C:\\Documents and Settings\\Ann\\Desktop",
                               " 2 ",     " 0 ",
                               " 1 ",     " 0 ",
                               " 1 ",     " 1 ",
                               " 1 ",     " 1 ",
                               " 0 ",     " 0 ",
                               " 1 ",     "C:\\",
                               "IMG_",    " 0 ",
                               " 1 "};
    for (int i = 0; i < 24; ++i) {
        lines.append(i % 3 == 0 ? "-1 " : " 0 ");
    }
    lines.append({"-120 ", " 300 ", " 9000 ", " 6000 ", " 3 "});
    QByteArray out;
    for (const QByteArray& line : lines) {
        out += line + "\r\n";
    }
    return out;
}

inline QList<QByteArray> splitLines(const QByteArray& file)
{
    QList<QByteArray> lines = file.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

} // namespace settingstest
