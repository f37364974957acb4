// What an orderly end keeps, and that the engine goes only once the deadline watches.
#include "startup/ShutdownSequence.h"

#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playback/ResumeTracker.h"
#include "playlist/PlaylistModel.h"
#include "playlist/ResumePoints.h"
#include "settings/SettingsStore.h"
#include "system/FakePowerControl.h"
#include "system/FakeUserStore.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

struct RecordingEngine : FakeEngine
{
    ~RecordingEngine() override { gone(); }
    std::function<void()> gone = [] {
    };
};

// The store names each key it writes; a settings file that appeared since is named before it.
struct RecordingStore : FakeUserStore
{
    bool writeString(const QString& keyPath, const QString& valueName,
                     const QString& value) override
    {
        note(keyPath.section('\\', -1));
        return FakeUserStore::writeString(keyPath, valueName, value);
    }
    void note(const QString& entry)
    {
        if (!log.contains("settings") && QFile::exists(settingsFile)) {
            log << "settings";
        }
        if (log.isEmpty() || log.last() != entry) {
            log << entry;
        }
    }
    QString settingsFile;
    QStringList log;
};

} // namespace

TEST(ShutdownSequence, KeepsThePlaceTheSettingsAndTheSoundThenArmsTheDeadlineThenReleases)
{
    QTemporaryDir folder;
    RecordingStore store;
    store.settingsFile = folder.filePath("Config.cfg");
    SettingsStore settings{SettingsEnvironment{}};
    settings.setConfigPath(store.settingsFile);
    FakePowerControl power;
    PlaylistModel playlist;
    PlaybackSession session{settings, playlist, power, [](const QStringList&) {
                                return std::make_unique<RecordingEngine>();
                            }};
    ResumePoints points{store};
    ResumeTracker tracker{session, points};
    session.applyEngineSettings();
    playlist.append(PlaylistEntry{"a.mkv", {}, "/m/a.mkv", {}});
    playlist.select(0);
    session.playEntry(0, false);
    auto& engine = *static_cast<RecordingEngine*>(session.engine());
    engine.fakeLength = 3600000.0;
    engine.fakeTime = 15000.0;
    engine.fireState(Engine::Playing);
    session.monitorTick();
    // Where it stands at the close, not at the last report.
    engine.fakeTime = 20000.0;
    engine.gone = std::bind(&RecordingStore::note, &store, QStringLiteral("engine released"));

    ShutdownSequence sequence(tracker, session, settings, store);
    const auto deadline = sequence.run(WindowPlacement{}, [&store] {
        store.note("deadline armed");
        return std::make_unique<korvane::ExitDeadline>(std::chrono::hours(1), [] {});
    });

    EXPECT_EQ(points.position("/m/a.mkv"), std::optional<qint64>(20000));
    EXPECT_EQ(store.log, QStringList({"ResumePositions", "settings", "Sound", "deadline armed",
                                      "engine released"}));
}
