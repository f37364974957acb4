#pragma once

#include "playback/engine/Engine.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <optional>

class PlaybackSession;
class ResumePoints;

// Continues a file from where it was left. It watches the session: where the playing item
// stands, its stop, its end, another item taking its place and the program ending. A file left
// well inside keeps its place, one that reached (or nearly reached) its end or was left near
// its start forgets it; playing a file with a kept place seeks there once it plays.
class ResumeTracker : public QObject
{
    Q_OBJECT
public:
    ResumeTracker(PlaybackSession& session, ResumePoints& points, QObject* parent = nullptr);

    // The program ends: the playing item is left where it stands now.
    void leave();

    QString currentPath() const { return m_path; }
    // The place waiting to be sought once the item plays.
    std::optional<qint64> pendingResume() const { return m_pending; }

private:
    void itemStarted(const QString& path);
    void engineStateChanged(Engine::State state);
    void sample();
    void resumeIfDue();
    void itemEnded();
    // The current item is left: its place is kept or forgotten by where it stands.
    void conclude();

    PlaybackSession& m_session;
    ResumePoints& m_points;
    QPointer<Engine> m_engine;
    QString m_path;
    bool m_open = false;
    qint64 m_timeMs = 0;
    qint64 m_lengthMs = 0;
    std::optional<qint64> m_pending;
};
