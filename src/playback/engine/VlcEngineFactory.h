#pragma once

#include "playback/engine/VlcInstance.h"

#include <QStringList>
#include <memory>

class Engine;
class VideoSurface;

// Makes the engine control for each item: a fresh media player on the run's one libVLC
// instance, which is made anew only when the engine options change. Copies share the instance.
class VlcEngineFactory
{
public:
    explicit VlcEngineFactory(VideoSurface* videoSurface = nullptr,
                              VlcInstance::AudioOutput audio = VlcInstance::AudioOutput::Automatic);

    std::unique_ptr<Engine> operator()(const QStringList& options) const;

    // How many libVLC instances this factory and its copies have made.
    int instancesMade() const;

private:
    struct Shared;
    std::shared_ptr<Shared> m_shared;
};
