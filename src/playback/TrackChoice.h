#pragma once

#include "playback/engine/Engine.h"

#include <QObject>
#include <QPointer>

// The audio and subtitle tracks of whatever the engine control of the moment plays, and the
// user's choice among them. The engine control is made anew per item: bind() follows it.
class TrackChoice : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Follows `engine` (may be null) from now on; a different one than before reports a change.
    void bind(Engine* engine);
    // An item is open on the bound engine, playing or paused.
    bool isActive() const;

    QList<Engine::Track> audioTracks() const;
    int audioTrack() const;
    QList<Engine::Track> subtitleTracks() const;
    int subtitleTrack() const;

    // Switches at once; false without an item or for an id the item does not have.
    bool chooseAudio(int id);
    // -1 turns subtitles off.
    bool chooseSubtitle(int id);
    // Adds a subtitle file to the item and shows it; false for a file of another kind, a missing
    // one, or nothing playing.
    bool addSubtitleFile(const QString& path);
    // The file kinds a subtitle file may be: srt, ass, ssa, vtt, sub.
    static bool isSubtitleFile(const QString& path);
    static const QStringList& subtitleExtensions();

signals:
    // The lists, the chosen tracks or the item changed.
    void changed();

private:
    QPointer<Engine> m_engine;
};
