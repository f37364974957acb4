#pragma once

#include "system/UserStore.h"

#include <QList>
#include <QString>
#include <optional>

// Where files were left, so that playing one again continues from there. The newest of them
// are kept, at most Capacity, in the per-user store beside the recent files: one value per
// slot, "<milliseconds> <path>", slot 0 the newest. Every change is one write of the store.
class ResumePoints
{
public:
    static constexpr int Capacity = 200;
    // Nearer than this to the start or to the end, a file starts over next time.
    static constexpr qint64 MarginMs = 10000;
    static inline const QString Key = QStringLiteral("Software\\Taskel\\Korvane\\ResumePositions");

    struct Point
    {
        QString path;
        qint64 timeMs = 0;
        bool operator==(const Point&) const = default;
    };

    explicit ResumePoints(UserStore& store) : m_store(store) {}

    // Reads the slots; a store without them holds no points, and a damaged slot is passed over.
    void load();
    std::optional<qint64> position(const QString& path) const;
    // Makes the path's point the newest; the oldest gives way past Capacity. False when the
    // store could not be written (the point still holds for this run).
    bool remember(const QString& path, qint64 timeMs);
    // True when the path had a point and the store took its removal.
    bool forget(const QString& path);
    const QList<Point>& points() const { return m_points; }

    // Whether a file left at timeMs of lengthMs is worth continuing: more than the margin in
    // and more than the margin before its end. A file of unknown length is not.
    static bool worthKeeping(qint64 timeMs, qint64 lengthMs);
    static std::optional<Point> parse(const QString& value);
    static QString format(const Point& point);

private:
    bool save();

    UserStore& m_store;
    QList<Point> m_points;
    // Slots that held a value when last read or written; emptied when the list shrinks.
    int m_storedSlots = 0;
};
