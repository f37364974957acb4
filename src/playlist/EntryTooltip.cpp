#include "playlist/EntryTooltip.h"

#include "util/SupportedFiles.h"

#include <QStringList>
#include <array>
#include <cmath>

namespace {
const QString DurationLabel = QStringLiteral("Duration");
} // namespace

QString EntryTooltip::text(const PlaylistEntry& entry, qint64 sizeBytes)
{
    QStringList lines;
    // The title may be a history caption; the path always holds the file's own name.
    const QString name = entry.path.isEmpty() ? entry.title : fileNameOfPath(entry.path);
    lines << name;
    if (const std::optional<double> seconds = durationSeconds(entry.mediaInfo)) {
        lines << QStringLiteral("Duration: ") + durationText(*seconds);
    }
    if (sizeBytes >= 0) {
        lines << QStringLiteral("Size: ") + sizeText(sizeBytes);
    }
    return lines.join(u'\n');
}

std::optional<double> EntryTooltip::durationSeconds(const QString& mediaInfo)
{
    const QStringList lines = mediaInfo.split(QStringLiteral("\r\n"));
    for (const QString& line : lines) {
        if (!line.startsWith(DurationLabel)) {
            continue;
        }
        const qsizetype colon = line.indexOf(u':');
        if (colon < 0) {
            return std::nullopt;
        }
        QString number = line.mid(colon + 1).trimmed();
        number.replace(u',', u'.');
        bool ok = false;
        const double seconds = number.toDouble(&ok);
        if (!ok || !std::isfinite(seconds) || seconds <= 0.0) {
            return std::nullopt;
        }
        return seconds;
    }
    return std::nullopt;
}

QString EntryTooltip::durationText(double seconds)
{
    const double whole = std::isfinite(seconds) && seconds > 0.0 ? std::floor(seconds) : 0.0;
    // Past any real length; keeps the integer conversion defined.
    const auto total = static_cast<qint64>(std::min(whole, 1e12));
    const qint64 hours = total / 3600;
    const qint64 minutes = total / 60 % 60;
    const qint64 secs = total % 60;
    const QString tail = QStringLiteral("%1").arg(secs, 2, 10, QLatin1Char('0'));
    if (hours > 0) {
        return QStringLiteral("%1:%2:").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')) + tail;
    }
    return QStringLiteral("%1:").arg(minutes) + tail;
}

QString EntryTooltip::sizeText(qint64 bytes)
{
    if (bytes < 1024) {
        return QStringLiteral("%1 bytes").arg(std::max<qint64>(bytes, 0));
    }
    static const std::array<const char*, 5> units = {"KB", "MB", "GB", "TB", "PB"};
    double value = static_cast<double>(bytes);
    std::size_t unit = 0;
    value /= 1024.0;
    while (value >= 1023.95 && unit + 1 < units.size()) {
        value /= 1024.0;
        ++unit;
    }
    return QString::number(value, 'f', 1) + u' ' + QLatin1String(units[unit]);
}
