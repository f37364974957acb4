#pragma once

#include "playback/engine/Engine.h"
#include "playback/engine/OutputRelease.h"
#include "playback/engine/VideoSurface.h"
#include "playback/engine/VlcInstance.h"

#include <memory>
#include <optional>

class VideoFrames;

struct libvlc_media_player_t;
struct VlcEventRelay;

// The engine on libVLC 3: one media player, made fresh for each item, on a libVLC instance that
// is shared across items (see VlcEngineFactory).
class VlcEngine : public Engine
{
    Q_OBJECT

public:
    using AudioOutput = VlcInstance::AudioOutput;

    // Plays on `instance`; a null instance gives an engine on which every call is a no-op.
    // videoSurface: where the pictures are shown; without one libVLC opens a window of its own
    // (or none, with the dummy output).
    VlcEngine(std::shared_ptr<VlcInstance> instance, VideoSurface* videoSurface,
              QObject* parent = nullptr);
    // An engine with an instance of its own, made from engine option strings such as
    // "snapshot-format=PNG" or "no-disable-screensaver".
    explicit VlcEngine(const QStringList& options = {}, VideoSurface* videoSurface = nullptr,
                       AudioOutput audio = AudioOutput::Automatic, QObject* parent = nullptr);
    ~VlcEngine() override;

    // False when libVLC could not be started at all; every call is then a no-op.
    bool isValid() const { return m_player != nullptr; }
    // False when libVLC refused the option strings and the engine runs without them.
    bool optionsApplied() const { return m_vlc && m_vlc->optionsApplied(); }
    // True when the pictures go to videoSurface rather than to a window of libVLC's own.
    bool isEmbedded() const { return m_frames != nullptr; }
    const std::shared_ptr<VlcInstance>& instance() const { return m_vlc; }

    static QStringList instanceArguments(const QStringList& options, bool dummyVideo,
                                         bool dummyAudio)
    {
        return VlcInstance::instanceArguments(options, dummyVideo, dummyAudio);
    }

    bool open(const QString& mrlOrPath, const QStringList& options = {}) override;
    bool hasMedia() const override { return m_item.has_value(); }
    void play() override;
    void togglePause() override;
    void stop() override;

    State state() const override;
    double position() const override;
    void setPosition(double fraction) override;
    double time() const override;
    double length() const override;
    double rate() const override;
    void setRate(double rate) override;
    bool hasVout() const override;

    void toggleMute() override;
    bool isMuted() const override { return m_muted; }
    void setVolume(int volume) override;
    int volume() const override { return m_volume; }

    QList<Track> audioTracks() const override;
    int audioTrack() const override;
    bool setAudioTrack(int id) override;
    QList<Track> subtitleTracks() const override;
    int subtitleTrack() const override;
    bool setSubtitleTrack(int id) override;
    bool addSubtitleFile(const QString& path) override;
    bool saveSnapshot(const QString& filePath) override;

private:
    friend struct VlcEventRelay;

    struct Item
    {
        QString mrlOrPath;
        QStringList options;
    };

    bool loadItem();
    void applyAudioState();
    // The guard every libVLC call that may wait for the output runs inside.
    OutputRelease outputRelease(OutputRelease::Then then);
    void takeDisplaySize();
    void handleEvent(int type, int value);

    std::shared_ptr<VlcInstance> m_vlc;
    libvlc_media_player_t* m_player = nullptr;
    std::unique_ptr<VlcEventRelay> m_relay;
    std::optional<Item> m_item;
    std::shared_ptr<VideoFrames> m_frames;
    bool m_loaded = false;
    bool m_muted = false;
    bool m_stopRequested = false;
    int m_volume = 100;
    State m_reportedState = Idle;
    int m_voutCount = 0;
};
