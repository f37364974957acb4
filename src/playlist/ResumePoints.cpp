#include "playlist/ResumePoints.h"

#include "util/Logging.h"

#include <QSet>
#include <algorithm>

namespace {
// Far beyond any real length, and short enough that the number never overflows.
constexpr qsizetype MaxDigits = 15;
} // namespace

void ResumePoints::load()
{
    m_points.clear();
    m_storedSlots = 0;
    QSet<QString> seen;
    for (int slot = 0; slot < Capacity; ++slot) {
        const QString value = m_store.readString(Key, QString::number(slot));
        if (value.isEmpty()) {
            continue;
        }
        m_storedSlots = slot + 1;
        const std::optional<Point> point = parse(value);
        // The newer slot of a path given twice wins.
        if (!point || seen.contains(point->path)) {
            qCDebug(lcPlaylist) << "resume slot" << slot << "passed over";
            continue;
        }
        seen.insert(point->path);
        m_points.append(*point);
    }
}

std::optional<qint64> ResumePoints::position(const QString& path) const
{
    for (const Point& point : m_points) {
        if (point.path == path) {
            return point.timeMs;
        }
    }
    return std::nullopt;
}

bool ResumePoints::remember(const QString& path, qint64 timeMs)
{
    if (path.isEmpty() || timeMs < 0) {
        return false;
    }
    m_points.removeIf([&path](const Point& point) { return point.path == path; });
    m_points.prepend(Point{path, timeMs});
    if (m_points.size() > Capacity) {
        m_points.resize(Capacity);
    }
    return save();
}

bool ResumePoints::forget(const QString& path)
{
    if (m_points.removeIf([&path](const Point& point) { return point.path == path; }) == 0) {
        return false;
    }
    return save();
}

bool ResumePoints::worthKeeping(qint64 timeMs, qint64 lengthMs)
{
    return lengthMs > 0 && timeMs > MarginMs && lengthMs - timeMs > MarginMs;
}

std::optional<ResumePoints::Point> ResumePoints::parse(const QString& value)
{
    const qsizetype space = value.indexOf(u' ');
    if (space <= 0 || space > MaxDigits || space + 1 >= value.size()) {
        return std::nullopt;
    }
    const QStringView digits = QStringView(value).left(space);
    if (!std::all_of(digits.begin(), digits.end(),
                     [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    return Point{value.mid(space + 1), digits.toLongLong()};
}

QString ResumePoints::format(const Point& point)
{
    return QString::number(point.timeMs) + u' ' + point.path;
}

bool ResumePoints::save()
{
    QList<UserStore::Write> writes;
    const int used = static_cast<int>(m_points.size());
    for (int slot = 0; slot < std::max(used, m_storedSlots); ++slot) {
        writes.append(
            {Key, QString::number(slot), slot < used ? format(m_points[slot]) : QString()});
    }
    if (!m_store.writeStrings(writes)) {
        qCWarning(lcPlaylist) << "resume positions could not be stored";
        return false;
    }
    m_storedSlots = used;
    return true;
}
