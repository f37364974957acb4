#pragma once

#include "settings/Settings.h"
#include "settings/SettingsEnvironment.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Config.cfg: one value per line in a fixed order, no names. Numbers are written as " 1 " or
// "-1 " and strings as they are, unless a string would not survive reading back (a comma, a
// double quote, a leading or trailing blank, a line break): then it is written in double quotes
// with inner quotes doubled. Files of plain, unquoted values read the same way.
class ConfigFile
{
public:
    static constexpr int ValueCount = 46;
    // A larger file is unreadable (kept as ".bak" and replaced by the defaults).
    static constexpr qint64 MaxFileBytes = 64 * 1024;

    struct LoadResult
    {
        Settings settings;
        // The file was missing or unreadable and the defaults are in use.
        bool usedDefaults = false;
        // A fresh file of defaults was written (false on success and when the write failed).
        bool written = false;
    };

    static QByteArray format(const Settings& settings);
    // Fails on a short file, text in a numeric field or a number too large for its field.
    // A flag read as an unusual "on" number (5 rather than 1) is written back as that number
    // while it stays on; so is an enum value that names no choice.
    static std::optional<Settings> parse(const QByteArray& data);
    // The same, value by value: a value that cannot be read (or is missing) keeps its value from
    // defaults and its line index (from 0) goes to badLines.
    static Settings parse(const QByteArray& data, const Settings& defaults, QList<int>& badLines);
    // Drops the unusual numbers of flags that have been switched since they were read, so that
    // switching one back on writes the usual number.
    static void forgetChangedFlags(Settings& settings);

    static QString defaultPath();

    // Reads the file. A value that cannot be read takes its default and the others stay; then
    // the damaged file is kept beside it ("Config.cfg.bak", or "Config.cfg.bak.1" and on when an
    // older backup is there) and the mended values are written in its place. A file with nothing
    // readable, or anything but a regular file, gives all defaults. An empty desktop folder is
    // filled in memory only.
    static LoadResult load(const QString& path, const SettingsEnvironment& env);

    // Replaces the file atomically: the old file stays whole if the new one cannot be written,
    // and `why` (when given) says what went wrong.
    static bool write(const QString& path, const Settings& settings, QString* why = nullptr);

    // The window position is taken at write time, except while the window is maximized (the
    // position from before maximizing is already stored) or still loading.
    static void recordPosition(Settings& settings, bool maximized, bool loading, double leftTwips,
                               double topTwips);
};
