#include "playback/VideoStart.h"

#include "playback/EngineHost.h"
#include "playback/Transport.h"

#include <QPointer>

namespace {
// Video outputs announce themselves just after playing starts; an item that has none by then
// is sound only.
constexpr int kVideoAnnounceMs = 300;
} // namespace

VideoStart::VideoStart(EngineHost& host, const Transport& transport, QObject* parent)
    : QObject(parent), m_host(host), m_transport(transport)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(SettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        if (m_pendingFullScreen && m_host.engine()) {
            m_pendingFullScreen = false;
            emit fullScreenRequested(true);
        }
    });
    connect(&m_host, &EngineHost::voutAppeared, this, &VideoStart::videoAppeared);
    connect(&m_host, &EngineHost::stateChanged, this, [this](Engine::State state) {
        if (state != Engine::Playing || !m_transport.state().flags.mediaActive) {
            return;
        }
        QPointer<Engine> engine(m_host.engine());
        QTimer::singleShot(kVideoAnnounceMs, this, [this, engine] {
            if (engine && engine == m_host.engine() && !engine->hasVout()) {
                emit audioOnlyChanged(true);
            }
        });
    });
}

void VideoStart::begin(bool fullScreen)
{
    emit audioOnlyChanged(false);
    m_pendingFullScreen = fullScreen;
    if (fullScreen) {
        m_settle.start();
    }
}

void VideoStart::videoAppeared()
{
    emit audioOnlyChanged(false);
    if (m_pendingFullScreen) {
        m_pendingFullScreen = false;
        m_settle.stop();
        emit fullScreenRequested(true);
    }
}
