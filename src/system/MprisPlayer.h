#pragma once

#include <QString>
#include <QtGlobal>

// The player as media keys and desktop widgets see it (MPRIS). Times are microseconds.
class MprisPlayer
{
public:
    struct Track
    {
        // Empty when nothing is loaded.
        QString id;
        QString title;
        QString url;
        qint64 lengthUs = 0;
        QString artUrl;
    };

    virtual ~MprisPlayer() = default;

    virtual void raise() = 0;
    virtual void quit() = 0;
    virtual void playPause() = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    virtual void stop() = 0;
    virtual void next() = 0;
    virtual void previous() = 0;
    // Returns whether the position moved.
    virtual bool seekTo(qint64 positionUs) = 0;
    virtual void openUri(const QString& uri) = 0;
    virtual void setVolume(double volume) = 0;

    // "Playing", "Paused" or "Stopped".
    virtual QString playbackStatus() const = 0;
    virtual Track track() const = 0;
    virtual double volume() const = 0;
    virtual qint64 positionUs() const = 0;
    virtual bool canGoNext() const = 0;
    virtual bool canGoPrevious() const = 0;
    virtual bool canPlay() const = 0;
    virtual bool canPause() const = 0;
    virtual bool canSeek() const = 0;
};
