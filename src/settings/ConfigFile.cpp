#include "settings/ConfigFile.h"

#include "settings/Twips.h"
#include "util/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
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
    const QString text = QString::fromUtf8(data);
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
        const QByteArray data = file.readAll();
        if (file.error() == QFileDevice::NoError) {
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
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk) shows in the count instead of vanishing
    // in a buffer flush that still lets the commit go through.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    const QByteArray bytes = format(settings);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
