#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

// The player engine as the rest of Korvane sees it: one open item, transport, and a handful of
// readings. Times are milliseconds, position a fraction 0..1 of the length, rate a factor (1
// normal). Every call is harmless on an engine that has nothing loaded or could not be created.
//
// Notifications are delivered on the UI thread, never on an engine thread.
class Engine : public QObject
{
    Q_OBJECT

public:
    // The numbers state() and stateChanged() carry; above Buffering means the input is open.
    enum State : int
    {
        Idle = 0,
        Opening = 1,
        Buffering = 2,
        Playing = 3,
        Paused = 4,
        Stopped = 5,
        Ended = 6,
        Error = 7,
    };
    Q_ENUM(State)

    using QObject::QObject;
    ~Engine() override = default;

    // Makes a path or an address ("dvd:///dev/sr0", "file:///...") the item, in place of any
    // earlier one, which stops; options pass through as given. Nothing plays until play(). False,
    // and the earlier item kept, when the engine could not be created or the text is empty.
    virtual bool open(const QString& mrlOrPath, const QStringList& options = {}) = 0;
    // An item is open (playing, paused, stopped or ended alike).
    virtual bool hasMedia() const = 0;
    // Starts the item, resumes it when paused, starts it over when stopped or ended.
    virtual void play() = 0;
    virtual void togglePause() = 0;
    virtual void stop() = 0;

    virtual State state() const = 0;
    virtual double position() const = 0;
    virtual void setPosition(double fraction) = 0;
    // 0 while nothing is open or the engine does not know yet.
    virtual double time() const = 0;
    virtual double length() const = 0;
    virtual double rate() const = 0;
    virtual void setRate(double rate) = 0;
    virtual bool hasVout() const = 0;

    // Volume and mute are the engine object's own state: some audio outputs never read them back.
    virtual void toggleMute() = 0;
    virtual bool isMuted() const = 0;
    virtual void setVolume(int volume) = 0;
    virtual int volume() const = 0;

    // Audio and subtitle tracks of the current item, as the engine names them. The lists fill
    // once the item plays and change as streams come and go (tracksChanged).
    struct Track
    {
        int id = -1;
        QString name;
        bool operator==(const Track&) const = default;
    };
    virtual QList<Track> audioTracks() const { return {}; }
    // -1: none.
    virtual int audioTrack() const { return -1; }
    virtual bool setAudioTrack(int id)
    {
        Q_UNUSED(id);
        return false;
    }
    virtual QList<Track> subtitleTracks() const { return {}; }
    // -1: subtitles off.
    virtual int subtitleTrack() const { return -1; }
    virtual bool setSubtitleTrack(int id)
    {
        Q_UNUSED(id);
        return false;
    }
    // Adds a subtitle file to the playing item and shows it.
    virtual bool addSubtitleFile(const QString& path)
    {
        Q_UNUSED(path);
        return false;
    }
    // Writes the current picture, at the video's own size, as a PNG file at `filePath`. False
    // when there is no picture or the file did not appear.
    virtual bool saveSnapshot(const QString& filePath)
    {
        Q_UNUSED(filePath);
        return false;
    }

signals:
    void stateChanged(Engine::State state);
    // The first video output of the current item exists; audio-only items never send it.
    void voutAppeared();
    // The current item played to its end (state Ended); a failure to open sends
    // stateChanged(Error).
    void ended();
    // The audio or subtitle tracks, or the chosen ones, changed.
    void tracksChanged();
};
