#include "playback/ResumeTracker.h"

#include "playback/PlaybackSession.h"
#include "playlist/ResumePoints.h"
#include "util/Logging.h"

#include <cmath>

ResumeTracker::ResumeTracker(PlaybackSession& session, ResumePoints& points, QObject* parent)
    : QObject(parent), m_session(session), m_points(points)
{
    connect(&m_session, &PlaybackSession::itemStarted, this,
            [this](const QString& path) { itemStarted(path); });
    // The monitor reports progress twice a second while an item plays: the place is read then.
    connect(&m_session, &PlaybackSession::progressChanged, this, &ResumeTracker::sample);
    connect(&m_session, &PlaybackSession::controlStateChanged, this,
            [this](MediaControlState::State state) {
                if (state == MediaControlState::Stopped) {
                    conclude();
                }
            });
}

void ResumeTracker::leave()
{
    sample();
    conclude();
}

void ResumeTracker::itemStarted(const QString& path)
{
    conclude();
    m_path = path;
    m_open = !path.isEmpty();
    m_timeMs = 0;
    m_lengthMs = 0;
    m_pending = m_open ? m_points.position(path) : std::nullopt;
    // Every item has an engine control of its own; the last one's notifications went with it.
    if (m_engine) {
        disconnect(m_engine, nullptr, this, nullptr);
    }
    m_engine = m_session.engine();
    if (m_engine) {
        connect(m_engine, &Engine::stateChanged, this, &ResumeTracker::engineStateChanged);
        connect(m_engine, &Engine::ended, this, &ResumeTracker::itemEnded);
    }
}

void ResumeTracker::engineStateChanged(Engine::State state)
{
    if (state == Engine::Playing) {
        resumeIfDue();
    } else if (state == Engine::Paused) {
        sample();
    }
}

void ResumeTracker::sample()
{
    if (!m_open || !m_engine || m_engine != m_session.engine()) {
        return;
    }
    const Engine::State state = m_engine->state();
    if (state != Engine::Playing && state != Engine::Paused) {
        return;
    }
    if (m_pending) {
        resumeIfDue();
        return;
    }
    const double time = m_engine->time();
    const double length = m_engine->length();
    if (std::isfinite(time) && time > 0.0) {
        m_timeMs = std::llround(time);
    }
    if (std::isfinite(length) && length > 0.0) {
        m_lengthMs = std::llround(length);
    }
}

void ResumeTracker::resumeIfDue()
{
    if (!m_pending || !m_engine || m_engine->state() != Engine::Playing) {
        return;
    }
    const double length = m_engine->length();
    // The length arrives with the first frames; the next report tries again.
    if (!std::isfinite(length) || length <= 0.0) {
        return;
    }
    const qint64 at = *m_pending;
    m_pending.reset();
    m_lengthMs = std::llround(length);
    if (!ResumePoints::worthKeeping(at, m_lengthMs)) {
        // The file changed since: the kept place lies too near its end now.
        m_points.forget(m_path);
        return;
    }
    qCDebug(lcPlayback).noquote() << "resume" << m_path << "at" << at;
    m_session.seek(static_cast<double>(at) / length);
    m_timeMs = at;
}

void ResumeTracker::itemEnded()
{
    if (!m_open) {
        return;
    }
    m_open = false;
    m_pending.reset();
    m_points.forget(m_path);
}

void ResumeTracker::conclude()
{
    if (!m_open) {
        return;
    }
    m_open = false;
    // Left before it was sought to its place: the place stays as it was.
    if (m_pending) {
        m_pending.reset();
        return;
    }
    if (ResumePoints::worthKeeping(m_timeMs, m_lengthMs)) {
        qCDebug(lcPlayback).noquote() << "resume point" << m_path << m_timeMs;
        m_points.remember(m_path, m_timeMs);
    } else {
        m_points.forget(m_path);
    }
}
