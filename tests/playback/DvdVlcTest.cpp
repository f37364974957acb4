// A real DVD-Video folder, authored at test time, offered by a fake drive and played by libVLC
// through its DVD access.
#include "playback/DvdPlayback.h"
#include "playback/PlaybackSession.h"
#include "playback/engine/VlcEngine.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/FakeDriveProvider.h"
#include "system/FakePowerControl.h"
#include "system/RecordingUserMessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

bool run(const QString& program, const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("VIDEO_FORMAT", "PAL");
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    const bool ok = process.waitForFinished(120000) &&
                    process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!ok) {
        qWarning().noquote() << program << process.readAll();
    }
    return ok;
}

class DvdVlcTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir;
        const QString folder = s_dir->path();
        s_ready = run("ffmpeg",
                      {"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                       "testsrc=d=3:s=720x576:r=25", "-f", "lavfi", "-i",
                       "sine=d=3:sample_rate=48000", "-target", "pal-dvd", "-shortest", "clip.mpg"},
                      folder) &&
                  run("dvdauthor", {"-o", "disc", "-t", "clip.mpg"}, folder) &&
                  run("dvdauthor", {"-o", "disc", "-T"}, folder);
    }
    static void TearDownTestSuite() { delete s_dir; }

    template <typename Condition> bool waitFor(Condition condition, int ms = 15000)
    {
        QElapsedTimer timer;
        timer.start();
        while (!condition() && timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
        return condition();
    }

    static inline QTemporaryDir* s_dir = nullptr;
    static inline bool s_ready = false;

    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel playlist;
    PlaybackSession session{settings, playlist, power, [](const QStringList& options) {
                                return std::make_unique<VlcEngine>(options, nullptr,
                                                                   VlcEngine::AudioOutput::Dummy);
                            }};
    FakeDriveProvider drives;
    RecordingUserMessages messages;
    DvdPlayback dvd{drives, session, playlist, messages, QStringLiteral(KORVANE_BIN_DIR)};
};

} // namespace

TEST_F(DvdVlcTest, AuthoredFolderFoundByTheWatchPlays)
{
    if (QStandardPaths::findExecutable("dvdauthor").isEmpty()) {
        GTEST_SKIP() << "dvdauthor is not installed";
    }
    ASSERT_TRUE(s_ready) << "ffmpeg and dvdauthor could not author the disc";
    const QString disc = s_dir->filePath("disc");
    ASSERT_TRUE(QDir(disc).exists("VIDEO_TS"));
    session.applyEngineSettings();
    session.enableMediaControl(MediaControlState::Stopped);
    drives.drives = {{disc, true, "KORVANE TEST"}};
    drives.videoTs = {disc};

    QSignalSpy started(&dvd, &DvdPlayback::discStarted);
    dvd.checkDVD();
    ASSERT_TRUE(waitFor([&] { return started.size() == 1; }));
    ASSERT_EQ(playlist.count(), 1);
    EXPECT_EQ(playlist.entry(0).title, "KORVANE TEST (" + disc + ")");
    EXPECT_EQ(playlist.entry(0).path, "dvd://" + disc);
    EXPECT_FALSE(playlist.entry(0).picture.isNull()) << "DVD.jpg from the program folder";

    // The disc reaches playing and its clock runs.
    ASSERT_TRUE(waitFor([&] {
        return session.engine() && session.engine()->state() == Engine::Playing &&
               session.engine()->time() > 500;
    })) << "state "
        << (session.engine() ? int(session.engine()->state()) : -1);
    EXPECT_GT(session.engine()->length(), 2000);
    EXPECT_TRUE(messages.messages.isEmpty());
    session.stop();
}
