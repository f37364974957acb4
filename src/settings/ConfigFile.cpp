#include "settings/ConfigFile.h"

#include "settings/Twips.h"
#include "util/FileReplacement.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringDecoder>
#include <limits>
#include <type_traits>

namespace {

// The single place that knows the order of the values in the file.
template <typename S, typename F> void forEachValue(S& s, F&& f)
{
    f(s.Language);
    f(s.DesktopFolder);
    f(s.PlayMode);
    f(s.RepeatMode);
    f(s.AlwaysOnTop);
    f(s.TitleBarMode);
    f(s.KeepHistory);
    f(s.LaunchFullscreen);
    f(s.RememberLastPos);
    f(s.RememberLastSize);
    f(s.UseNewPlayer);
    f(s.DisableScreenSaver);
    f(s.ShowInTray);
    f(s.SnapshotPath);
    f(s.SnapshotPrefix);
    f(s.SnapshotPreview);
    f(s.SnapshotFormat);
    for (auto& flag : s.Associations) {
        f(flag);
    }
    f(s.WindowLeft);
    f(s.WindowTop);
    f(s.WindowWidth);
    f(s.WindowHeight);
    f(s.PlaylistPosition);
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
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

QByteArray formatString(const QString& value)
{
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

// Reads the file as a stream of fields. A field ends at its terminator (a comma or one line end,
// CR LF, CR or LF), which is consumed with it, so an empty line is an empty string.
class FieldReader
{
public:
    explicit FieldReader(QStringView text) : m_text(text) {}

    std::optional<QString> readString()
    {
        skipBlanks();
        if (atEnd()) {
            return std::nullopt;
        }
        if (peek() != u'"') {
            const qsizetype start = m_pos;
            while (!atEnd() && peek() != u',' && !isLineEnd(peek())) {
                ++m_pos;
            }
            const QString value = m_text.sliced(start, m_pos - start).toString();
            consumeTerminator();
            return value;
        }
        ++m_pos;
        QString value;
        while (!atEnd()) {
            const QChar c = m_text[m_pos++];
            if (c != u'"') {
                value += c;
            } else if (!atEnd() && peek() == u'"') {
                value += c;
                ++m_pos;
            } else {
                break;
            }
        }
        // Anything between the closing quote and the terminator is not part of the value.
        while (!atEnd() && peek() != u',' && !isLineEnd(peek())) {
            ++m_pos;
        }
        consumeTerminator();
        return value;
    }

    std::optional<qint64> readNumber(qint64 min, qint64 max)
    {
        while (!atEnd() && (peek() == u' ' || isLineEnd(peek()))) {
            ++m_pos;
        }
        if (atEnd()) {
            return std::nullopt;
        }
        const qsizetype start = m_pos;
        while (!atEnd() && peek() != u' ' && peek() != u',' && !isLineEnd(peek())) {
            ++m_pos;
        }
        const auto value = toInteger(m_text.sliced(start, m_pos - start), min, max);
        skipBlanks();
        consumeTerminator();
        return value;
    }

private:
    static std::optional<qint64> toInteger(QStringView token, qint64 min, qint64 max)
    {
        bool negative = false;
        if (!token.isEmpty() && (token.front() == u'-' || token.front() == u'+')) {
            negative = token.front() == u'-';
            token = token.sliced(1);
        }
        if (token.isEmpty()) {
            return std::nullopt;
        }
        qint64 magnitude = 0;
        for (QChar c : token) {
            if (c < u'0' || c > u'9') {
                return std::nullopt;
            }
            magnitude = magnitude * 10 + (c.unicode() - u'0');
            if (magnitude > max + 1) {
                return std::nullopt; // stop before the accumulator itself can overflow
            }
        }
        const qint64 value = negative ? -magnitude : magnitude;
        if (value < min || value > max) {
            return std::nullopt;
        }
        return value;
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    QChar peek() const { return m_text[m_pos]; }

    void skipBlanks()
    {
        while (!atEnd() && peek() == u' ') {
            ++m_pos;
        }
    }

    void consumeTerminator()
    {
        if (atEnd()) {
            return;
        }
        if (peek() == u',') {
            ++m_pos;
        } else if (peek() == u'\r') {
            ++m_pos;
            if (!atEnd() && peek() == u'\n') {
                ++m_pos;
            }
        } else if (peek() == u'\n') {
            ++m_pos;
        }
    }

    QStringView m_text;
    qsizetype m_pos = 0;
};

struct ValueReader
{
    FieldReader& reader;
    bool ok = true;

    void operator()(QString& value)
    {
        if (!ok) {
            return;
        }
        const auto read = reader.readString();
        ok = read.has_value();
        if (ok) {
            value = *read;
        }
    }

    template <typename T> void operator()(T& value)
    {
        static_assert(std::is_integral_v<T>);
        if (!ok) {
            return;
        }
        const auto read =
            reader.readNumber(std::numeric_limits<T>::min(), std::numeric_limits<T>::max());
        ok = read.has_value();
        if (ok) {
            value = static_cast<T>(*read);
        }
    }
};

bool isBlank(const QString& text)
{
    for (QChar c : text) {
        if (c != u' ') {
            return false;
        }
    }
    return true;
}

// Files written before UTF-8 hold the Windows code page: "Français" as a single byte E7.
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

// The user's values are not thrown away with an unreadable file: they stay beside it.
void keepAsBackup(const QString& path)
{
    const QString backup = path + QStringLiteral(".bak");
    const QFileInfo backupInfo(backup);
    if (backupInfo.exists() || backupInfo.isSymLink()) {
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
    forEachValue(settings, [&out](const auto& value) {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, QString>) {
            out += formatString(value);
        } else {
            out += formatNumber(value);
        }
        out += "\r\n";
    });
    return out;
}

std::optional<Settings> ConfigFile::parse(const QByteArray& data)
{
    const QString text = decodeText(data);
    FieldReader fields(text);
    Settings settings;
    ValueReader reader{fields};
    forEachValue(settings, reader);
    if (!reader.ok) {
        return std::nullopt;
    }
    return settings;
}

QString ConfigFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Korvane/Config.cfg");
}

ConfigFile::LoadResult ConfigFile::load(const QString& path, const SettingsEnvironment& env)
{
    LoadResult result;
    const QFileInfo info(path);
    const bool existed = info.exists() || info.isSymLink();

    std::optional<Settings> read;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) {
        // Anything larger than 46 lines can be is not a settings file; it is not read whole.
        const QByteArray data = file.read(MaxFileBytes + 1);
        if (file.error() == QFileDevice::NoError && data.size() <= MaxFileBytes) {
            read = parse(data);
        }
        file.close();
    }

    if (read) {
        if (isBlank(read->DesktopFolder)) {
            read->DesktopFolder = env.desktopFolder;
        }
        result.settings = *read;
        return result;
    }

    qCDebug(lcApp) << "settings: using defaults," << path
                   << (existed ? "could not be read" : "does not exist");
    if (existed) {
        keepAsBackup(path);
    }
    result.settings = defaultSettings(env);
    result.usedDefaults = true;
    result.written = write(path, result.settings);
    return result;
}

bool ConfigFile::write(const QString& path, const Settings& settings)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        return false;
    }
    QString error;
    if (!korvane::replaceFile(path, format(settings), &error, 0644)) {
        qCWarning(lcApp).noquote()
            << "settings not saved, the old file is kept:" << path << "-" << error;
        return false;
    }
    return true;
}

void ConfigFile::recordPosition(Settings& settings, bool maximized, bool loading, double leftTwips,
                                double topTwips)
{
    if (maximized || loading) {
        return;
    }
    settings.WindowLeft = korvane::twipsToLong(leftTwips);
    settings.WindowTop = korvane::twipsToLong(topTwips);
}
