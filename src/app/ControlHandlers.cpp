#include "app/ControlHandlers.h"

#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "playback/ControlSteps.h"
#include "playback/PlaybackSession.h"
#include "playback/SnapshotTaker.h"
#include "settings/SettingsStore.h"
#include "system/UserMessages.h"
#include "ui/frame/MainWindow.h"
#include "util/Logging.h"
#include "util/Product.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>

ControlHandlers::ControlHandlers(CommandRegistry& registry, MainWindow& window,
                                 PlaybackSession& session, SettingsStore& settings,
                                 UserMessages& messages, QObject* parent)
    : QObject(parent), m_registry(registry), m_window(window), m_session(session),
      m_settings(settings), m_messages(messages),
      m_chooseSubtitle([&window](const QString& folder) {
          QStringList patterns;
          for (const QString& extension : TrackChoice::subtitleExtensions()) {
              patterns << QStringLiteral("*.") + extension;
          }
          return QFileDialog::getOpenFileName(
              &window, QStringLiteral("Open Subtitle File"), folder,
              QStringLiteral("Subtitle files (%1)").arg(patterns.join(u' ')));
      })
{
    connect(&m_session, &PlaybackSession::muteChanged, this, [this](bool muted) {
        qCDebug(lcUi).noquote() << "mute" << (muted ? "on" : "off");
        emit muteChanged(muted);
    });
    // Each item gets an engine control of its own; the track lists follow the one of the moment.
    const auto follow = [this] {
        m_tracks.bind(m_session.engine());
    };
    connect(&m_session, &PlaybackSession::itemStarted, this, follow);
    connect(&m_session, &PlaybackSession::controlStateChanged, this, follow);
    connect(&m_tracks, &TrackChoice::changed, this, &ControlHandlers::showTracks);
    showTracks();
}

void ControlHandlers::stepVolume(int steps)
{
    setVolume(ControlSteps::volumeAfter(m_session.volume(), steps));
}

void ControlHandlers::chooseAudioSlot(int slot)
{
    if (slot >= 0 && slot < m_audioIds.size()) {
        m_tracks.chooseAudio(m_audioIds[slot]);
    }
    showTracks();
}

void ControlHandlers::chooseSubtitleSlot(int slot)
{
    if (slot >= 0 && slot < m_subtitleIds.size()) {
        m_tracks.chooseSubtitle(m_subtitleIds[slot]);
    }
    showTracks();
}

void ControlHandlers::subtitleOff()
{
    m_tracks.chooseSubtitle(-1);
    showTracks();
}

void ControlHandlers::setVolume(int volume)
{
    const int level = ControlSteps::volumeAfter(volume, 0);
    m_window.setVolume(level);
    if (m_session.volume() != level) {
        m_session.setVolume(level);
    }
    qCDebug(lcUi).noquote() << "volume" << level;
    emit volumeChanged(level);
}

void ControlHandlers::turnWheelOverVideo(int notches)
{
    if (notches != 0) {
        setVolume(ControlSteps::volumeAfter(m_session.volume(), notches));
    }
}

void ControlHandlers::turnWheelOverProgress(int notches)
{
    if (notches != 0) {
        seekBy(notches * ControlSteps::ShortSeekMs);
    }
}

void ControlHandlers::seekBy(double stepMs)
{
    const TransportState transport = m_session.transportNow();
    if (!transport.flags.mediaActive) {
        return;
    }
    const double length = transport.lengthMs;
    if (const std::optional<double> target =
            ControlSteps::seekTarget(transport.timeMs, length, stepMs)) {
        m_session.seek(*target / length);
    }
}

void ControlHandlers::takeSnapshot()
{
    const Settings& stored = m_settings.settings();
    const SnapshotTaker::Result result =
        SnapshotTaker::take(m_session.engine(), m_session.snapshotFolder(), stored.snapshotPrefix,
                            stored.snapshotFormat);
    using Outcome = SnapshotTaker::Result::Outcome;
    switch (result.outcome) {
    case Outcome::Saved:
        qCDebug(lcUi).noquote() << "snapshot" << result.path;
        if (stored.snapshotPreview) {
            m_window.showSnapshotPreview(QImage(result.path));
        }
        break;
    case Outcome::NoPicture:
        qCDebug(lcUi) << "snapshot: no picture to save";
        break;
    case Outcome::FolderNotWritable:
    case Outcome::WriteFailed:
        // Playback goes on behind the message.
        m_messages.show(UserMessages::Icon::Warning, korvane::kApplicationTitle,
                        QStringLiteral("Cannot save the snapshot in the folder <") + result.folder +
                            QStringLiteral(">.\nChoose another snapshot folder in Options."));
        break;
    }
}

void ControlHandlers::openSubtitleFile()
{
    if (!m_tracks.isActive()) {
        return;
    }
    const QString folder = QFileInfo(m_session.currentFile()).absolutePath();
    const QString path = m_chooseSubtitle(folder);
    if (path.isEmpty()) {
        return;
    }
    if (!m_tracks.addSubtitleFile(path)) {
        m_messages.show(UserMessages::Icon::Warning, korvane::kApplicationTitle,
                        QStringLiteral("Cannot open subtitle file <") + path + QStringLiteral(">"));
    }
}

void ControlHandlers::showTracks()
{
    const bool active = m_tracks.isActive();
    const auto fill = [this](QList<int>& ids, const QList<Engine::Track>& tracks, int current,
                             Command (*slotCommand)(int)) {
        ids.clear();
        for (int slot = 0; slot < CommandTable::TrackSlots; ++slot) {
            QAction* item = m_registry.action(slotCommand(slot));
            const bool shown = slot < tracks.size();
            item->setVisible(shown);
            item->setEnabled(shown);
            item->setChecked(shown && tracks[slot].id == current);
            if (shown) {
                const QString name = tracks[slot].name.isEmpty()
                                         ? QStringLiteral("Track %1").arg(tracks[slot].id)
                                         : tracks[slot].name;
                item->setText(CommandRegistry::literalText(name));
                ids.append(tracks[slot].id);
            }
        }
    };
    const int subtitle = m_tracks.subtitleTrack();
    fill(m_audioIds, m_tracks.audioTracks(), m_tracks.audioTrack(), &CommandTable::audioTrackSlot);
    fill(m_subtitleIds, m_tracks.subtitleTracks(), subtitle, &CommandTable::subtitleSlot);
    QAction* off = m_registry.action(Command::SubtitleOff);
    off->setEnabled(active);
    off->setChecked(active && subtitle == -1);
    m_registry.action(Command::OpenSubtitle)->setEnabled(active);
    m_registry.action(Command::TakeSnapshot)->setEnabled(active);
    m_window.setMenuEnabled(MenuId::AudioTrack, active && !m_audioIds.isEmpty());
    m_window.setMenuEnabled(MenuId::Subtitle, active);
}
