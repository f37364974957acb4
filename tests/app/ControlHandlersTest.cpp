#include "app/ControlHandlers.h"

#include "QtPrinters.h"
#include "app/CommandHandlers.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "mediainfo/MediaProber.h"
#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playlist/FakeFileChooser.h"
#include "playlist/FileIntake.h"
#include "playlist/OpenDialog.h"
#include "playlist/Playlist.h"
#include "playlist/PlaylistModel.h"
#include "playlist/RecentHistory.h"
#include "settings/SettingsStore.h"
#include "system/FakeDesktopIntegration.h"
#include "system/FakePowerControl.h"
#include "system/FakeUserStore.h"
#include "system/FileAssociations.h"
#include "system/RecordingUserMessages.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/ProgressBar.h"
#include "ui/frame/VideoArea.h"
#include "ui/frame/VolumeSlider.h"
#include "ui/menus/MainMenuBar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImageReader>
#include <QLoggingCategory>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <functional>
#include <gtest/gtest.h>

namespace {

class AcceptingProber : public MediaProber
{
public:
    bool probe(const QString& path, ProbeResult& result) override
    {
        result.streamInfoText = "info of " + path;
        result.currentPicture = QImage(8, 8, QImage::Format_RGB32);
        return true;
    }
};

SettingsEnvironment environment()
{
    SettingsEnvironment env;
    env.picturesFolder = "/home/me/Pictures";
    env.twipsPerPixelX = 15;
    env.twipsPerPixelY = 15;
    env.screenWidthTwips = 1920 * 15;
    env.screenHeightTwips = 1080 * 15;
    return env;
}

QStringList logged;

void recordLog(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (QByteArray(context.category).startsWith("korvane.")) {
        logged << message;
    }
}

// The player's parts as the program wires them, on a fake engine: keys, the wheel and the menu
// items go in at the window, and what reaches the engine, the window and the log comes out.
class ControlHandlersTest : public ::testing::Test
{
protected:
    ControlHandlersTest()
    {
        settings.setConfigPath(dir.filePath("Korvane/Config.cfg"));
        Settings changed = settings.settings();
        changed.snapshotPath = dir.filePath("Pictures");
        changed.snapshotPrefix = "IMG_";
        changed.snapshotFormat = SnapshotFormat::Png;
        changed.snapshotPreview = true;
        settings.apply(changed);
        QObject::connect(&playlist, &Playlist::playRequested, &session,
                         &PlaybackSession::playEntry);
        QObject::connect(&window, &MainWindow::videoWheelTurned, &controls,
                         &ControlHandlers::turnWheelOverVideo);
        QObject::connect(&window, &MainWindow::progressWheelTurned, &controls,
                         &ControlHandlers::turnWheelOverProgress);
        QObject::connect(&window, &MainWindow::volumeChanged, &controls,
                         &ControlHandlers::setVolume);
        QObject::connect(&session, &PlaybackSession::fullScreenRequested, &window,
                         &MainWindow::setVideoFullScreen);
        session.applyEngineSettings();
        session.enableMediaControl(MediaControlState::Stopped);
        QLoggingCategory::setFilterRules("korvane.*.debug=true");
        logged.clear();
        previous = qInstallMessageHandler(recordLog);
    }
    ~ControlHandlersTest() override
    {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    }

    // Two entries, the first playing a minute-long item with a picture, 10 s in.
    void play()
    {
        for (int i = 0; i < 2; ++i) {
            const QString path = dir.filePath(QStringLiteral("film%1.mkv").arg(i));
            playlist.addEntry(path.section('/', -1), path, false, false);
        }
        QElapsedTimer timer;
        timer.start();
        while (playlist.intake().pendingCount() > 0 && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        model.select(0);
        session.rebuildSequence();
        session.playEntry(0, false);
        engine().fakeLength = 60000;
        engine().fakeTime = 10000;
        engine().fireVout();
        engine().fireState(Engine::Playing);
    }
    void showWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    FakeEngine& engine() { return *static_cast<FakeEngine*>(session.engine()); }
    QAction* action(Command command) const { return registry.action(command); }
    void trigger(Command command) { registry.trigger(command); }
    VideoArea* video() const { return window.findChild<VideoArea*>("SSPanel1"); }
    void turnWheel(QWidget* over, int delta)
    {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    }
    int sliderValue() const { return window.findChild<VolumeSlider*>()->value(); }

    QtMessageHandler previous = nullptr;
    QTemporaryDir dir;
    SettingsStore settings{environment()};
    PlaylistModel model;
    CommandRegistry registry;
    MainWindow window{settings};
    // The menu bar stands before the handlers start, as in the program.
    bool installed = (window.installCommands(registry), true);
    FakePowerControl power;
    PlaybackSession session{settings, model, power, [](const QStringList&) {
                                return std::make_unique<FakeEngine>();
                            }};
    AcceptingProber prober;
    RecordingUserMessages messages;
    FakeFileChooser chooser;
    OpenDialog dialog{chooser};
    Playlist playlist{model, prober, messages, dialog};
    FakeUserStore store;
    RecentHistory history{store};
    FakeDesktopIntegration desktop;
    FileAssociations associations{store, desktop, "/opt/korvane/", "/opt/korvane/korvane"};
    CommandHandlers commands{registry, window,   session,  playlist,
                             history,  settings, messages, associations};
    ControlHandlers controls{registry, window, session, settings, messages};
};

TEST_F(ControlHandlersTest, EachKeyReachesTheEngineThroughItsCommand)
{
    showWindow();
    play();
    const struct
    {
        const char* name;
        QKeyCombination key;
        std::function<bool()> happened;
    } cases[] = {
        {"Space pauses", QKeyCombination(Qt::Key_Space),
         [this] {
             return session.flags().paused;
         }},
        {"Space resumes", QKeyCombination(Qt::Key_Space),
         [this] {
             return !session.flags().paused;
         }},
        {"Right seeks 5 s on", QKeyCombination(Qt::Key_Right),
         [this] {
             return engine().fakePosition == 15000.0 / 60000;
         }},
        {"Left seeks 5 s back", QKeyCombination(Qt::Key_Left),
         [this] {
             return engine().fakePosition == 5000.0 / 60000;
         }},
        {"Shift+Right stops at the end", Qt::SHIFT | Qt::Key_Right,
         [this] {
             return engine().fakePosition == 1.0;
         }},
        {"Shift+Left stops at the start", Qt::SHIFT | Qt::Key_Left,
         [this] {
             return engine().fakePosition == 0.0;
         }},
        {"Down lowers the volume, the slider follows", QKeyCombination(Qt::Key_Down),
         [this] {
             return engine().fakeVolume == 95 && sliderValue() == 95;
         }},
        {"Up raises it again", QKeyCombination(Qt::Key_Up),
         [this] {
             return engine().fakeVolume == 100 && sliderValue() == 100;
         }},
        {"Up at full volume stays there", QKeyCombination(Qt::Key_Up),
         [this] {
             return engine().fakeVolume == 100;
         }},
        {"M mutes", QKeyCombination(Qt::Key_M),
         [this] {
             return engine().muted;
         }},
        {"M unmutes", QKeyCombination(Qt::Key_M),
         [this] {
             return !engine().muted;
         }},
        {"F goes full screen", QKeyCombination(Qt::Key_F),
         [this] {
             return window.isVideoFullScreen();
         }},
        {"Esc leaves it", QKeyCombination(Qt::Key_Escape),
         [this] {
             return !window.isVideoFullScreen();
         }},
        {"F11 goes full screen", QKeyCombination(Qt::Key_F11),
         [this] {
             return window.isVideoFullScreen();
         }},
        {"F leaves it", QKeyCombination(Qt::Key_F),
         [this] {
             return !window.isVideoFullScreen();
         }},
        {"Shift+S takes a snapshot", Qt::SHIFT | Qt::Key_S,
         [this] {
             return QFileInfo::exists(dir.filePath("Pictures/film0.mkv Images/IMG_0001.png"));
         }},
        {"Ctrl+S still stops", Qt::CTRL | Qt::Key_S,
         [this] {
             return session.flags().stopped;
         }},
    };
    for (const auto& c : cases) {
        QTest::keyClick(&window, c.key.key(), c.key.keyboardModifiers());
        EXPECT_TRUE(c.happened()) << c.name;
    }
    for (const char* line :
         {"seek 15000", "seek 5000", "seek 60000", "seek 0", "volume 95", "volume 100", "mute on",
          "mute off", "full screen on", "full screen off", "command TakeSnapshot"}) {
        EXPECT_TRUE(logged.contains(QString::fromLatin1(line))) << line;
    }
}

TEST_F(ControlHandlersTest, KeysThatSeekDoNothingWhileStopped)
{
    showWindow();
    QTest::keyClick(&window, Qt::Key_Right);
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(session.engine() ? engine().callCount("setPosition") : 0, 0);
    EXPECT_FALSE(action(Command::TakeSnapshot)->isEnabled());
}

TEST_F(ControlHandlersTest, TheWheelSetsTheVolumeOverTheVideoAndSeeksOverTheBar)
{
    play();
    controls.setVolume(50);
    turnWheel(video(), 120);
    EXPECT_EQ(engine().fakeVolume, 55);
    turnWheel(video(), -240);
    EXPECT_EQ(engine().fakeVolume, 45);
    EXPECT_EQ(sliderValue(), 45);
    turnWheel(video(), 60);
    EXPECT_EQ(engine().fakeVolume, 45) << "half a notch is not yet a step";
    turnWheel(window.findChild<ProgressBar*>(), 120);
    EXPECT_DOUBLE_EQ(engine().fakePosition, 15000.0 / 60000);
    turnWheel(window.findChild<ProgressBar*>(), -360);
    EXPECT_DOUBLE_EQ(engine().fakePosition, 0.0) << "three notches back from 10 s stop at 0";
}

TEST_F(ControlHandlersTest, TrackItemsListTheItemsTracksAndSwitchAtOnce)
{
    QMenu* audioMenu = window.findChild<MainMenuBar*>()->submenu("AudioTrack");
    ASSERT_NE(audioMenu, nullptr);
    EXPECT_FALSE(audioMenu->menuAction()->isEnabled()) << "greyed while nothing plays";
    play();
    engine().fakeAudioTracks = {{1, "Track 1 - [English]"}, {2, "Track 2 - [Deutsch]"}};
    engine().fakeAudioTrack = 1;
    engine().fakeSubtitleTracks = {{3, "Track 1 - [English]"}, {4, "film0.srt"}};
    engine().fakeSubtitleTrack = 3;
    engine().fireTracks();
    EXPECT_TRUE(audioMenu->menuAction()->isEnabled());
    EXPECT_EQ(action(Command::AudioTrack1)->text(), "Track 2 - [Deutsch]");
    EXPECT_TRUE(action(Command::AudioTrack0)->isChecked());
    EXPECT_FALSE(action(Command::AudioTrack1)->isChecked());
    EXPECT_FALSE(action(Command::AudioTrack2)->isVisible());
    EXPECT_TRUE(action(Command::Subtitle1)->isVisible());
    EXPECT_FALSE(action(Command::SubtitleOff)->isChecked());

    trigger(Command::AudioTrack1);
    trigger(Command::SubtitleOff);
    EXPECT_EQ(engine().calls.filter("Track"),
              QStringList({"setAudioTrack 2", "setSubtitleTrack -1"}));
    EXPECT_TRUE(action(Command::AudioTrack1)->isChecked());
    EXPECT_FALSE(action(Command::AudioTrack0)->isChecked());
    EXPECT_TRUE(action(Command::SubtitleOff)->isChecked());
    EXPECT_TRUE(logged.contains("audio track 2"));
    EXPECT_TRUE(logged.contains("subtitle track -1"));

    trigger(Command::Subtitle1);
    EXPECT_EQ(engine().fakeSubtitleTrack, 4);
    EXPECT_TRUE(action(Command::Subtitle1)->isChecked());

    session.stop();
    engine().fireState(Engine::Stopped);
    EXPECT_FALSE(action(Command::AudioTrack0)->isVisible()) << "empty once nothing plays";
    EXPECT_FALSE(audioMenu->menuAction()->isEnabled());
    EXPECT_FALSE(action(Command::OpenSubtitle)->isEnabled());
}

TEST_F(ControlHandlersTest, ASubtitleFileIsAddedOrRefusedWithAMessage)
{
    play();
    const QString srt = dir.filePath("film0.srt");
    QFile(srt).open(QIODevice::WriteOnly);
    QStringList asked;
    QString answer = srt;
    controls.setSubtitleChooser([&](const QString& folder) {
        asked << folder;
        return answer;
    });
    trigger(Command::OpenSubtitle);
    EXPECT_EQ(asked, QStringList({QDir(dir.path()).absolutePath()})) << "beside the item";
    EXPECT_EQ(engine().subtitleFiles, QStringList({srt}));
    answer = dir.filePath("notes.txt");
    trigger(Command::OpenSubtitle);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.contains("notes.txt"));
    answer.clear();
    trigger(Command::OpenSubtitle);
    EXPECT_EQ(messages.messages.size(), 1) << "a cancelled dialog says nothing";
    EXPECT_EQ(engine().subtitleFiles.size(), 1);
}

TEST_F(ControlHandlersTest, SnapshotsFollowTheSettingsAndAFailureLeavesPlaybackAlone)
{
    play();
    engine().snapshotSize = QSize(320, 180);
    trigger(Command::TakeSnapshot);
    const QString first = dir.filePath("Pictures/film0.mkv Images/IMG_0001.png");
    EXPECT_EQ(QImageReader(first).size(), QSize(320, 180));
    EXPECT_TRUE(logged.contains("snapshot " + first));
    QWidget* preview = window.findChild<QWidget*>("SnapshotPreview");
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisibleTo(&window)) << "the preview setting is on";

    Settings changed = settings.settings();
    changed.snapshotFormat = SnapshotFormat::Jpg;
    changed.snapshotPrefix = "Shot-";
    settings.apply(changed);
    trigger(Command::TakeSnapshot);
    EXPECT_EQ(QImageReader(dir.filePath("Pictures/film0.mkv Images/Shot-0001.jpg")).format(),
              "jpeg");

    // A file where the folder should be.
    changed.snapshotPath = first;
    settings.apply(changed);
    trigger(Command::TakeSnapshot);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.contains(first + "/film0.mkv Images"));
    EXPECT_EQ(engine().callCount("stop"), 0) << "playback goes on";
    EXPECT_TRUE(session.flags().mediaActive);
}

TEST_F(ControlHandlersTest, DeleteRemovesTheSelectedEntryOnlyFromThePlaylist)
{
    showWindow();
    play();
    video()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    EXPECT_EQ(model.count(), 2) << "the video has the focus";
    QWidget* list = window.findChild<QWidget*>("FancyList1");
    list->setFocus();
    model.select(1);
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(model.count(), 1);
}

TEST_F(ControlHandlersTest, EveryNewKeyShowsInTheMenuBarAndNoKeyIsTaken)
{
    // Each key a command answers to belongs to that command alone.
    QHash<QString, QString> owner;
    for (int i = 0; i < commandCount; ++i) {
        const QAction* a = registry.action(static_cast<Command>(i));
        for (const QKeySequence& key : a->shortcuts()) {
            const QString text = key.toString();
            EXPECT_FALSE(owner.contains(text))
                << text.toStdString() << " is " << owner.value(text).toStdString() << " and "
                << a->objectName().toStdString();
            owner.insert(text, a->objectName());
        }
    }
    std::set<const QAction*> inMenus;
    for (QMenu* menu : window.findChild<MainMenuBar*>()->findChildren<QMenu*>()) {
        for (const QAction* a : menu->actions()) {
            inMenus.insert(a);
        }
    }
    for (Command command :
         {Command::SeekBack, Command::SeekForward, Command::SeekBackLong, Command::SeekForwardLong,
          Command::VolumeUp, Command::VolumeDown, Command::Mute, Command::TakeSnapshot,
          Command::SubtitleOff, Command::OpenSubtitle, Command::AudioTrack0, Command::Subtitle7}) {
        EXPECT_TRUE(inMenus.count(action(command)))
            << CommandTable::entry(command).key.toStdString();
    }
}

} // namespace
