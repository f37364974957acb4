#include "playback/TrackChoice.h"

#include "util/Logging.h"

#include <QFileInfo>

namespace {

bool hasTrack(const QList<Engine::Track>& tracks, int id)
{
    for (const Engine::Track& track : tracks) {
        if (track.id == id) {
            return true;
        }
    }
    return false;
}

} // namespace

void TrackChoice::bind(Engine* engine)
{
    if (m_engine == engine) {
        return;
    }
    if (m_engine) {
        disconnect(m_engine, nullptr, this, nullptr);
    }
    m_engine = engine;
    if (engine) {
        connect(engine, &Engine::tracksChanged, this, &TrackChoice::changed);
        connect(engine, &Engine::stateChanged, this, &TrackChoice::changed);
        // A control that goes with its item leaves nothing to choose from.
        connect(engine, &QObject::destroyed, this, &TrackChoice::changed, Qt::QueuedConnection);
    }
    emit changed();
}

bool TrackChoice::isActive() const
{
    if (!m_engine || !m_engine->hasMedia()) {
        return false;
    }
    const Engine::State state = m_engine->state();
    return state == Engine::Playing || state == Engine::Paused;
}

QList<Engine::Track> TrackChoice::audioTracks() const
{
    return isActive() ? m_engine->audioTracks() : QList<Engine::Track>{};
}

int TrackChoice::audioTrack() const
{
    return isActive() ? m_engine->audioTrack() : -1;
}

QList<Engine::Track> TrackChoice::subtitleTracks() const
{
    return isActive() ? m_engine->subtitleTracks() : QList<Engine::Track>{};
}

int TrackChoice::subtitleTrack() const
{
    return isActive() ? m_engine->subtitleTrack() : -1;
}

bool TrackChoice::chooseAudio(int id)
{
    if (!isActive() || !hasTrack(m_engine->audioTracks(), id) || !m_engine->setAudioTrack(id)) {
        return false;
    }
    qCDebug(lcPlayback).noquote() << "audio track" << id;
    emit changed();
    return true;
}

bool TrackChoice::chooseSubtitle(int id)
{
    if (!isActive() || (id != -1 && !hasTrack(m_engine->subtitleTracks(), id)) ||
        !m_engine->setSubtitleTrack(id)) {
        return false;
    }
    qCDebug(lcPlayback).noquote() << "subtitle track" << id;
    emit changed();
    return true;
}

bool TrackChoice::addSubtitleFile(const QString& path)
{
    if (!isActive() || !isSubtitleFile(path) || !QFileInfo(path).isFile()) {
        return false;
    }
    if (!m_engine->addSubtitleFile(QFileInfo(path).absoluteFilePath())) {
        return false;
    }
    qCDebug(lcPlayback).noquote() << "subtitle file" << path;
    return true;
}

const QStringList& TrackChoice::subtitleExtensions()
{
    static const QStringList extensions{QStringLiteral("srt"), QStringLiteral("ass"),
                                        QStringLiteral("ssa"), QStringLiteral("vtt"),
                                        QStringLiteral("sub")};
    return extensions;
}

bool TrackChoice::isSubtitleFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0) {
        return false;
    }
    return subtitleExtensions().contains(name.mid(dot + 1).toLower());
}
