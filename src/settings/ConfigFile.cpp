#include "settings/ConfigFile.h"

#include "settings/ConfigFieldReader.h"
#include "settings/Twips.h"
#include "util/BackupName.h"
#include "util/FileReplacement.h"
#include "util/Logging.h"
#include "util/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <limits>
#include <type_traits>

namespace {

// A flag as the file stores it: 0 for off and `on` for on, though any other number reads as on.
template <typename B> struct Flag
{
    B& value;
    qint32 on;
};

template <typename B> Flag<B> flag(B& value, qint32 on)
{
    return {value, on};
}

// The single place that knows the order of the values in the file and how each is stored. The
// visitor gets each value with its line index (from 0).
template <typename S, typename F> void forEachValue(S& s, F&& f)
{
    int line = 0;
    const auto visit = [&](auto&& value) {
        f(line++, value);
    };
    visit(s.language);
    visit(s.desktopFolder);
    visit(s.playMode);
    visit(s.repeatMode);
    visit(flag(s.alwaysOnTop, 1));
    visit(s.titleBarMode);
    visit(flag(s.keepHistory, 1));
    visit(flag(s.launchFullscreen, 1));
    visit(flag(s.rememberLastPos, 1));
    visit(flag(s.rememberLastSize, 1));
    visit(s.openMode);
    visit(flag(s.disableScreenSaver, 1));
    visit(flag(s.showInTray, 1));
    visit(s.snapshotPath);
    visit(s.snapshotPrefix);
    visit(flag(s.snapshotPreview, 1));
    visit(s.snapshotFormat);
    // A ticked extension is stored as -1.
    for (auto& associated : s.associations) {
        visit(flag(associated, -1));
    }
    visit(s.windowLeft);
    visit(s.windowTop);
    visit(s.windowWidth);
    visit(s.windowHeight);
    visit(s.playlistPosition);
}

// Flags are 16-bit fields; enums and numbers keep the width of their type.
template <typename T> struct FieldWidth
{
    using Type = T;
};
template <typename T>
requires std::is_enum_v<T>
struct FieldWidth<T>
{
    using Type = std::underlying_type_t<T>;
};

bool isLineEnd(QChar c)
{
    return ConfigFieldReader::isLineEnd(c);
}

// A plain string would be cut at a comma, lose its leading blanks, be taken as quoted when it
// starts with a quote, or spill over into the next line.
bool needsQuotes(const QString& value)
{
    if (value.isEmpty()) {
        return false;
    }
    if (value.front() == u' ' || value.back() == u' ') {
        return true;
    }
    for (QChar c : value) {
        if (c == u',' || c == u'"' || isLineEnd(c)) {
            return true;
        }
    }
    return false;
}

QByteArray formatString(const QString& text)
{
    // One value a line, always: a line break inside a value becomes a blank.
    QString value = text;
    for (QChar& c : value) {
        if (isLineEnd(c)) {
            c = u' ';
        }
    }
    if (!needsQuotes(value)) {
        return value.toUtf8();
    }
    QString quoted = value;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return '"' + quoted.toUtf8() + '"';
}

QByteArray formatNumber(qint64 value)
{
    // The sign position holds a blank for values that are not negative.
    QByteArray out = value < 0 ? QByteArray() : QByteArray(" ");
    out += QByteArray::number(value);
    out += ' ';
    return out;
}

struct ValueReader
{
    ConfigFieldReader& reader;
    QMap<int, qint32>& kept;
    // Where a value that cannot be read is noted; without it the first one ends the reading.
    QList<int>* bad = nullptr;
    bool ok = true;

    void operator()(int line, QString& value)
    {
        if (!ok) {
            return;
        }
        const auto read = reader.readString();
        if (read) {
            value = *read;
        } else {
            fail(line);
        }
    }

    template <typename B> void operator()(int line, Flag<B> field)
    {
        const auto read = number<qint16>(line);
        if (read) {
            field.value = *read != 0;
            if (*read != 0 && *read != field.on) {
                kept.insert(line, static_cast<qint32>(*read));
            }
        }
    }

    template <typename T>
    requires std::is_integral_v<T> || std::is_enum_v<T>
    void operator()(int line, T& value)
    {
        using Width = typename FieldWidth<T>::Type;
        static_assert(std::is_integral_v<Width>);
        const auto read = number<Width>(line);
        if (read) {
            value = static_cast<T>(static_cast<Width>(*read));
        }
    }

    template <typename Width> std::optional<qint64> number(int line)
    {
        if (!ok) {
            return std::nullopt;
        }
        const auto read =
            reader.readNumber(std::numeric_limits<Width>::min(), std::numeric_limits<Width>::max());
        if (!read) {
            fail(line);
        }
        return read;
    }

    void fail(int line)
    {
        if (bad) {
            bad->append(line);
        } else {
            ok = false;
        }
    }
};

// What a flag is written as: the number it was read as while it still says the same.
template <typename B>
qint64 flagNumber(int line, const Flag<B>& field, const QMap<int, qint32>& kept)
{
    const auto it = kept.constFind(line);
    if (it != kept.constEnd() && (*it != 0) == field.value) {
        return *it;
    }
    return field.value ? field.on : 0;
}

bool isBlank(const QString& text)
{
    for (QChar c : text) {
        if (c != u' ') {
            return false;
        }
    }
    return true;
}

// Text that is not UTF-8 is Windows-1252: "Français" with "ç" as the single byte E7.
QString decodeText(const QByteArray& data)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(data);
    if (!utf8.hasError()) {
        return text;
    }
    // 0x80-0x9F in Windows-1252; the five unassigned bytes keep their own code point.
    static constexpr char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    text.clear();
    text.reserve(data.size());
    for (const char byte : data) {
        const auto code = static_cast<unsigned char>(byte);
        text += QChar(code >= 0x80 && code < 0xA0 ? high[code - 0x80] : char16_t{code});
    }
    return text;
}

bool taken(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The user's values are not thrown away with a damaged file: they stay beside it.
void keepAsBackup(const QString& path)
{
    const QString backup = korvane::backupName(path);
    if (taken(backup)) {
        QFile::remove(backup);
    }
    if (!QDir().rename(path, backup)) {
        qCDebug(lcApp) << "settings: could not keep" << path << "as" << backup;
    }
}

} // namespace

QByteArray ConfigFile::format(const Settings& settings)
{
    QByteArray out;
    forEachValue(settings, [&](int line, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, QString>) {
            out += formatString(value);
        } else if constexpr (std::is_same_v<T, Flag<const bool>>) {
            out += formatNumber(flagNumber(line, value, settings.keptNumbers));
        } else {
            out += formatNumber(static_cast<qint64>(value));
        }
        out += "\r\n";
    });
    return out;
}

Settings ConfigFile::parse(const QByteArray& data, const Settings& defaults, QList<int>& badLines)
{
    const QString text = decodeText(data);
    ConfigFieldReader fields(text);
    Settings settings = defaults;
    settings.keptNumbers.clear();
    ValueReader reader{fields, settings.keptNumbers, &badLines};
    forEachValue(settings, reader);
    return settings;
}

std::optional<Settings> ConfigFile::parse(const QByteArray& data)
{
    const QString text = decodeText(data);
    ConfigFieldReader fields(text);
    Settings settings;
    ValueReader reader{fields, settings.keptNumbers};
    forEachValue(settings, reader);
    if (!reader.ok) {
        return std::nullopt;
    }
    return settings;
}

void ConfigFile::forgetChangedFlags(Settings& settings)
{
    QMap<int, qint32> kept;
    forEachValue(settings, [&](int line, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, Flag<bool>>) {
            const auto it = settings.keptNumbers.constFind(line);
            if (it != settings.keptNumbers.constEnd() && (*it != 0) == value.value) {
                kept.insert(line, *it);
            }
        }
    });
    settings.keptNumbers = kept;
}

QString ConfigFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Korvane/Config.cfg");
}

ConfigFile::LoadResult ConfigFile::load(const QString& path, const SettingsEnvironment& env)
{
    LoadResult result;
    const Settings defaults = defaultSettings(env);
    const korvane::RegularFileRead file = korvane::readRegularFile(path, MaxFileBytes);
    // Anything larger than 46 lines can be is not a settings file; it is not read whole.
    if (file.status == korvane::RegularFileRead::Status::Read &&
        file.bytes.size() <= MaxFileBytes) {
        QList<int> bad;
        Settings read = parse(file.bytes, defaults, bad);
        if (bad.size() < ValueCount) {
            if (isBlank(read.desktopFolder)) {
                read.desktopFolder = env.desktopFolder;
            }
            result.settings = read;
            if (!bad.isEmpty()) {
                for (const int line : bad) {
                    qCWarning(lcApp)
                        << "settings: line" << line + 1 << "could not be read, its default is used";
                }
                keepAsBackup(path);
                result.written = write(path, read);
            }
            return result;
        }
    }

    const char* why = "could not be read";
    if (file.status == korvane::RegularFileRead::Status::Missing) {
        why = "does not exist";
    } else if (file.status == korvane::RegularFileRead::Status::NotRegular) {
        why = "is not a regular file, taken as missing";
    }
    qCDebug(lcApp) << "settings: using defaults," << path << why;
    if (file.status != korvane::RegularFileRead::Status::Missing) {
        keepAsBackup(path); // out of the way of the new file, whatever it is
    }
    result.settings = defaults;
    result.usedDefaults = true;
    result.written = write(path, result.settings);
    return result;
}

bool ConfigFile::write(const QString& path, const Settings& settings, QString* why)
{
    const QFileInfo info(path);
    QString error;
    if (!QDir().mkpath(info.absolutePath())) {
        error = QStringLiteral("cannot create the folder %1").arg(info.absolutePath());
    } else if (korvane::replaceFile(path, format(settings), &error)) {
        return true;
    }
    qCWarning(lcApp).noquote() << "settings not saved, the old file is kept:" << path << "-"
                               << error;
    if (why) {
        *why = error;
    }
    return false;
}

void ConfigFile::recordPosition(Settings& settings, bool maximized, bool loading, double leftTwips,
                                double topTwips)
{
    if (maximized || loading) {
        return;
    }
    settings.windowLeft = Twips::toLong(leftTwips);
    settings.windowTop = Twips::toLong(topTwips);
}
