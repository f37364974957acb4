#include "playback/PlaybackSession.h"

#include "playlist/PlaylistModel.h"

PlaybackSession::PlaybackSession(SettingsStore& settings, PlaylistModel& playlist,
                                 PowerControl& power, EngineFactory factory, QObject* parent)
    : QObject(parent), m_playlist(playlist), m_host(settings, std::move(factory)),
      m_transport(m_host), m_order(playlist, power), m_video(m_host, m_transport)
{
    const Transport* transport = &m_transport;
    connect(transport, &Transport::controlStateChanged, this,
            &PlaybackSession::controlStateChanged);
    connect(transport, &Transport::timeTextChanged, this, &PlaybackSession::timeTextChanged);
    connect(transport, &Transport::progressChanged, this, &PlaybackSession::progressChanged);
    connect(transport, &Transport::rateTextChanged, this, &PlaybackSession::rateTextChanged);
    connect(transport, &Transport::speedTextChanged, this, &PlaybackSession::speedTextChanged);
    connect(transport, &Transport::muteChanged, this, &PlaybackSession::muteChanged);
    connect(transport, &Transport::speedLimitsChanged, this, &PlaybackSession::speedLimitsChanged);
    connect(transport, &Transport::dvdCheckWanted, this, &PlaybackSession::dvdCheckWanted);
    connect(transport, &Transport::itemEnded, this, &PlaybackSession::moveOn);
    connect(&m_order, &PlayOrder::modesChanged, this, &PlaybackSession::modesChanged);
    connect(&m_video, &VideoStart::audioOnlyChanged, this, &PlaybackSession::audioOnlyChanged);
    connect(&m_video, &VideoStart::fullScreenRequested, this,
            &PlaybackSession::fullScreenRequested);
}

PlaybackSession::~PlaybackSession() = default;

void PlaybackSession::setRandomSource(PlaySequence::RandomSource random)
{
    m_order.setRandomSource(std::move(random));
}

void PlaybackSession::playEntry(int index, bool fullScreen)
{
    if (index < 0 || index >= m_playlist.count()) {
        return;
    }
    m_host.startEntry(index, m_playlist.fullPath(index));
    m_video.begin(fullScreen);
    m_transport.start();
    emit itemStarted(m_host.currentItem(), m_playlist.selectedTitle());
    m_transport.enableMediaControl(MediaControlState::Playing);
}

bool PlaybackSession::startDisc(const QString& drive)
{
    m_transport.stop();
    m_host.startDisc(drive);
    return m_host.engine() != nullptr;
}

void PlaybackSession::enableMediaControl(MediaControlState::State state)
{
    m_transport.enableMediaControl(state);
}

void PlaybackSession::entryActivated(int index)
{
    playEntry(index, false);
    m_order.entryChosen(index);
}

void PlaybackSession::play()
{
    if (m_playlist.count() == 0) {
        emit openRequested();
        return;
    }
    // Resuming needs an item in the engine; with none (entries added, none played yet) the
    // selected entry starts, else "Loading..." would stay for good and stop would do nothing.
    if (m_transport.resume()) {
        return;
    }
    playEntry(m_order.entryToStart(), false);
}

void PlaybackSession::playPause()
{
    if (m_playlist.count() == 0) {
        emit openRequested();
    } else if (controlState() == MediaControlState::Stopped) {
        play();
    } else {
        pause();
    }
}

void PlaybackSession::next()
{
    if (flags().mediaActive) {
        playChosen(m_order.next());
    }
}

void PlaybackSession::previous()
{
    if (flags().mediaActive) {
        playChosen(m_order.previous());
    }
}

void PlaybackSession::playChosen(std::optional<int> entry)
{
    if (entry) {
        playEntry(*entry, false);
    }
}

void PlaybackSession::fullScreen()
{
    if (flags().mediaActive) {
        emit fullScreenRequested(true);
    }
}

void PlaybackSession::moveOn()
{
    switch (m_order.itemEnded().action) {
    case ItemEndDecision::Action::Replay:
        stop();
        play();
        break;
    case ItemEndDecision::Action::StopAndFinish:
        stop();
        if (m_order.finish()) {
            emit closeRequested();
        }
        break;
    case ItemEndDecision::Action::PlayEntry:
        playEntry(m_playlist.selectedItem(), false);
        break;
    }
}
