#include "playback/engine/VlcEngineFactory.h"

#include "playback/engine/VlcEngine.h"
#include "util/Logging.h"

struct VlcEngineFactory::Shared
{
    VideoSurface* videoSurface = nullptr;
    VlcInstance::AudioOutput audio = VlcInstance::AudioOutput::Automatic;
    std::shared_ptr<VlcInstance> instance;
    QStringList instanceOptions;
    int made = 0;
};

VlcEngineFactory::VlcEngineFactory(VideoSurface* videoSurface, VlcInstance::AudioOutput audio)
    : m_shared(std::make_shared<Shared>())
{
    m_shared->videoSurface = videoSurface;
    m_shared->audio = audio;
}

std::unique_ptr<Engine> VlcEngineFactory::operator()(const QStringList& options) const
{
    const QStringList wanted = VlcInstance::instanceOptions(options);
    if (!m_shared->instance || wanted != m_shared->instanceOptions) {
        // Players of the old instance keep it alive until they go.
        m_shared->instance.reset();
        m_shared->instance = VlcInstance::create(wanted, m_shared->audio);
        m_shared->instanceOptions = wanted;
        ++m_shared->made;
        qCDebug(lcPlayback) << "libVLC instance made for" << wanted;
    }
    return std::make_unique<VlcEngine>(m_shared->instance, m_shared->videoSurface);
}

int VlcEngineFactory::instancesMade() const
{
    return m_shared->made;
}
