#pragma once

#include "playback/engine/Engine.h"

#include <QImage>
#include <QStringList>
#include <vector>

// An engine for tests: records every call by name in `calls`, answers readings from public fields
// the test sets, and sends notifications only when the test fires them. It never changes `state`
// by itself: play() does not make it Playing, so a test decides what the engine "does".
class FakeEngine : public Engine
{
    Q_OBJECT

public:
    struct Item
    {
        QString mrlOrPath;
        QStringList options;
    };

    using Engine::Engine;

    // Every open is recorded in `opened`; the last one is the item.
    bool open(const QString& mrlOrPath, const QStringList& options = {}) override
    {
        calls << QStringLiteral("open");
        if (mrlOrPath.isEmpty() || refuseOpen) {
            return false;
        }
        opened.push_back({mrlOrPath, options});
        return true;
    }
    bool hasMedia() const override { return !opened.empty(); }
    const Item& item() const { return opened.back(); }
    void play() override { calls << QStringLiteral("play"); }
    void togglePause() override { calls << QStringLiteral("togglePause"); }
    void stop() override { calls << QStringLiteral("stop"); }

    State state() const override { return fakeState; }
    double position() const override { return fakePosition; }
    void setPosition(double fraction) override
    {
        calls << QStringLiteral("setPosition");
        fakePosition = fraction;
    }
    double time() const override { return fakeTime; }
    double length() const override { return fakeLength; }
    double rate() const override { return fakeRate; }
    void setRate(double rate) override
    {
        calls << QStringLiteral("setRate");
        fakeRate = rate;
    }
    bool hasVout() const override { return fakeHasVout; }

    void toggleMute() override
    {
        calls << QStringLiteral("toggleMute");
        muted = !muted;
    }
    bool isMuted() const override { return muted; }
    void setVolume(int volume) override
    {
        calls << QStringLiteral("setVolume");
        fakeVolume = volume;
    }
    int volume() const override { return fakeVolume; }

    QList<Track> audioTracks() const override { return fakeAudioTracks; }
    int audioTrack() const override { return fakeAudioTrack; }
    bool setAudioTrack(int id) override
    {
        calls << QStringLiteral("setAudioTrack %1").arg(id);
        fakeAudioTrack = id;
        return true;
    }
    QList<Track> subtitleTracks() const override { return fakeSubtitleTracks; }
    int subtitleTrack() const override { return fakeSubtitleTrack; }
    bool setSubtitleTrack(int id) override
    {
        calls << QStringLiteral("setSubtitleTrack %1").arg(id);
        fakeSubtitleTrack = id;
        return true;
    }
    bool addSubtitleFile(const QString& path) override
    {
        calls << QStringLiteral("addSubtitleFile");
        subtitleFiles << path;
        return true;
    }
    // Writes a picture of `snapshotSize` as PNG, as the engine would, while a video shows.
    bool saveSnapshot(const QString& filePath) override
    {
        calls << QStringLiteral("saveSnapshot");
        if (!fakeHasVout) {
            return false;
        }
        QImage picture(snapshotSize, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        return picture.save(filePath, "PNG");
    }

    // Notifications, sent synchronously on the calling (test) thread.
    void fireState(State newState)
    {
        fakeState = newState;
        emit stateChanged(newState);
    }
    void fireTracks() { emit tracksChanged(); }
    void fireVout()
    {
        fakeHasVout = true;
        emit voutAppeared();
    }
    // The item played out: state Ended, then the ended notification.
    void fireEnded()
    {
        fireState(Ended);
        emit ended();
    }

    qsizetype callCount(const QString& name) const { return calls.count(name); }
    void clearCalls() { calls.clear(); }

    QStringList calls;
    std::vector<Item> opened;
    // Set, open() answers as an engine that could not be created.
    bool refuseOpen = false;
    State fakeState = Idle;
    double fakePosition = 0.0;
    double fakeTime = 0.0;
    double fakeLength = 0.0;
    double fakeRate = 1.0;
    bool fakeHasVout = false;
    int fakeVolume = 100;
    bool muted = false;
    QList<Track> fakeAudioTracks;
    int fakeAudioTrack = -1;
    QList<Track> fakeSubtitleTracks;
    int fakeSubtitleTrack = -1;
    QStringList subtitleFiles;
    QSize snapshotSize{64, 48};
};
