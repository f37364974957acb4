#include "app/CommandHandlers.h"

#include "QtPrinters.h"
#include "app/CommandBindings.h"
#include "app/ControlHandlers.h"
#include "commands/CommandRegistry.h"
#include "commands/CommandTable.h"
#include "commands/MenuLayout.h"
#include "mediainfo/MediaProber.h"
#include "playback/DvdPlayback.h"
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
#include "system/FakeDriveProvider.h"
#include "system/FakePowerControl.h"
#include "system/FakeUserStore.h"
#include "system/FileAssociations.h"
#include "system/RecordingUserMessages.h"
#include "ui/WindowWaits.h"
#include "ui/dialogs/AboutBox.h"
#include "ui/dialogs/SettingsDialog.h"
#include "ui/frame/MainWindow.h"
#include "ui/frame/ProgressBar.h"
#include "ui/frame/VideoArea.h"
#include "ui/frame/VolumeSlider.h"
#include "ui/menus/ClassicPopups.h"
#include "ui/menus/MainMenuBar.h"
#include "ui/menus/RegionCommands.h"
#include "util/ToolPaths.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QKeySequence>
#include <QLoggingCategory>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <gtest/gtest.h>
#include <set>

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
    if (QByteArray(context.category) == "korvane.ui") {
        logged << message;
    }
}

class CommandHandlersTest : public ::testing::Test
{
protected:
    CommandHandlersTest()
    {
        settings.setConfigPath(dir.filePath("Korvane/Config.cfg"));
        QObject::connect(&settings, &SettingsStore::changed, &window,
                         &MainWindow::applyLoadedOptions);
        window.installCommands(registry);
        QObject::connect(&playlist, &Playlist::playRequested, &session,
                         &PlaybackSession::playEntry);
        QObject::connect(&playlist, &Playlist::committed, &session,
                         &PlaybackSession::entriesCommitted);
        QObject::connect(&session, &PlaybackSession::openRequested, &playlist,
                         [this] { playlist.openFiles(false); });
        CommandBindings::bindCommands(registry, bindings, session, playlist, window);
        CommandBindings::bindDiscs(registry, dvd, bindings.popups(), window);
        bindings.setUrlOpener([this](const QUrl& url) { opened << url; });
        session.applyEngineSettings();
        session.enableMediaControl(MediaControlState::Stopped);
    }

    void settle()
    {
        QElapsedTimer timer;
        timer.start();
        while (playlist.intake().pendingCount() > 0 && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }

    void addEntries(int n)
    {
        for (int i = 0; i < n; ++i) {
            const QString path = QStringLiteral("/m/clip%1.mkv").arg(i);
            playlist.addEntry(path.mid(3), path, false, false);
        }
        settle();
    }

    void playFirst()
    {
        model.select(0);
        session.rebuildSequence();
        session.playEntry(0, false);
    }

    QAction* action(const char* key) const
    {
        return registry.action(CommandTable::fromKey(key).value_or(Command::None));
    }
    bool enabled(const char* key) const { return action(key)->isEnabled(); }
    MainMenuBar* menuBar() const { return window.findChild<MainMenuBar*>(); }
    bool checked(const char* key) const { return action(key)->isChecked(); }
    FakeEngine& engine() { return *static_cast<FakeEngine*>(session.engine()); }
    void dispatchKey(const char* key) { action(key)->trigger(); }
    // A popup's item by the name it logs, as the popup itself holds it.
    QAction* popupItem(const char* name) const
    {
        const auto inMenu = [name](QMenu* menu, const auto& self) -> QAction* {
            for (QAction* item : menu->actions()) {
                QAction* found = item->menu()                 ? self(item->menu(), self)
                                 : item->objectName() == name ? item
                                                              : nullptr;
                if (found) {
                    return found;
                }
            }
            return nullptr;
        };
        for (MenuId id : {MenuId::PopupFile, MenuId::PopupPlay, MenuId::PopupPlayList}) {
            if (QAction* found = inMenu(bindings.popups().menu(id), inMenu)) {
                return found;
            }
        }
        ADD_FAILURE() << "no popup item " << name;
        return &missing;
    }
    void choosePopup(const char* name) { popupItem(name)->trigger(); }

    QTemporaryDir dir;
    SettingsStore settings{environment()};
    PlaylistModel model;
    CommandRegistry registry;
    MainWindow window{settings};
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
    CommandHandlers bindings{registry, window,   session,  playlist,
                             history,  settings, messages, associations};
    FakeDriveProvider drives;
    DvdPlayback dvd{drives, session, model, messages, korvane::programFolder()};
    QList<QUrl> opened;
    mutable QAction missing;
};

} // namespace

TEST_F(CommandHandlersTest, StartUpEnabling)
{
    for (const char* key : {"Stop", "FullScreen", "IncreaseSpeed", "DecreaseSpeed", "ResetSpeed",
                            "Remove", "RemoveAll", "Next", "Previous", "DVDList0", "History0"}) {
        EXPECT_FALSE(enabled(key)) << key;
    }
    for (const char* key : {"OpenFile", "PlayPause", "Exit", "PMShuffle", "About", "HelpTopics"}) {
        EXPECT_TRUE(enabled(key)) << key;
    }
    EXPECT_EQ(action("History0")->text(), QStringLiteral("<No History>"));
    EXPECT_FALSE(action("History1")->isVisible());
    EXPECT_EQ(menuBar()->pos(), QPoint(15, 31));
}

TEST_F(CommandHandlersTest, PlayPauseOnAnEmptyPlaylistOpensTheDialogAndEnablesStop)
{
    dispatchKey("PlayPause");
    EXPECT_EQ(chooser.calls.size(), 1);
    EXPECT_TRUE(enabled("Stop")) << "even though nothing was chosen";
    dispatchKey("Stop");
    EXPECT_FALSE(enabled("Stop"));
    choosePopup("mnuplay");
    EXPECT_EQ(chooser.calls.size(), 2);
    EXPECT_FALSE(enabled("Stop")) << "the popup's item leaves the menu bar's Stop alone";
}

TEST_F(CommandHandlersTest, PlayPauseTogglesWhilePlaying)
{
    addEntries(2);
    playFirst();
    EXPECT_TRUE(enabled("Stop"));
    dispatchKey("PlayPause");
    EXPECT_TRUE(session.flags().paused);
    EXPECT_TRUE(enabled("FullScreen")) << "paused keeps the media items";
    dispatchKey("PlayPause");
    EXPECT_FALSE(session.flags().paused);
    EXPECT_TRUE(chooser.calls.isEmpty());
}

TEST_F(CommandHandlersTest, ShortcutsReachTheirActions)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kWindowWaitMs));
    addEntries(3);
    playFirst();
    const struct
    {
        const char* name;
        QKeyCombination key;
        std::function<bool()> happened;
    } cases[] = {
        {"Ctrl+P pauses", Qt::CTRL | Qt::Key_P,
         [this] {
             return session.flags().paused;
         }},
        {"Ctrl+P resumes", Qt::CTRL | Qt::Key_P,
         [this] {
             return !session.flags().paused;
         }},
        {"PageDown plays the next entry", QKeyCombination(Qt::Key_PageDown),
         [this] {
             return session.currentFile() == "/m/clip1.mkv";
         }},
        {"PageUp goes back", QKeyCombination(Qt::Key_PageUp),
         [this] {
             return session.currentFile() == "/m/clip0.mkv";
         }},
        {"Ctrl+Up speeds up", Qt::CTRL | Qt::Key_Up,
         [this] {
             return session.playbackRate() == 2.0;
         }},
        {"Ctrl+R resets", Qt::CTRL | Qt::Key_R,
         [this] {
             return session.playbackRate() == 1.0;
         }},
        {"Ctrl+S stops", Qt::CTRL | Qt::Key_S,
         [this] {
             return session.flags().stopped;
         }},
        {"Ctrl+O opens the dialog", Qt::CTRL | Qt::Key_O,
         [this] {
             return chooser.calls.size() == 1;
         }},
    };
    for (const auto& c : cases) {
        QTest::keyClick(&window, c.key.key(), c.key.keyboardModifiers());
        EXPECT_TRUE(c.happened()) << c.name;
    }
}

TEST_F(CommandHandlersTest, PlaylistItemsFollowTheEntries)
{
    addEntries(2);
    for (const char* key : {"Remove", "RemoveAll", "Next", "Previous"}) {
        EXPECT_TRUE(enabled(key)) << key;
    }
    model.select(1);
    dispatchKey("Remove");
    EXPECT_EQ(model.count(), 1);
    EXPECT_TRUE(enabled("Remove"));
    dispatchKey("RemoveAll");
    EXPECT_EQ(model.count(), 0);
    for (const char* key : {"Remove", "RemoveAll", "Next", "Previous"}) {
        EXPECT_FALSE(enabled(key)) << key;
    }
}

TEST_F(CommandHandlersTest, AddFromTheMainMenuSelectsTheFirstEntry)
{
    chooser.answers << QStringList{"/m/x.mkv", "/m/y.mkv"};
    dispatchKey("AddVideoFile");
    settle();
    EXPECT_EQ(model.count(), 2);
    EXPECT_EQ(model.selectedItem(), 0);
    EXPECT_FALSE(session.flags().mediaActive) << "adding plays nothing";
}

TEST_F(CommandHandlersTest, ModesFromTheMainMenuAndFromTheClassicMenu)
{
    dispatchKey("PMShuffle");
    EXPECT_EQ(session.playMode(), PlayMode::Shuffle);
    EXPECT_TRUE(checked("PMShuffle"));
    dispatchKey("RMRepeatAll");
    EXPECT_EQ(session.repeatMode(), RepeatMode::RepeatAll);
    EXPECT_TRUE(checked("RMRepeatAll"));

    choosePopup("mnuPBCont");
    EXPECT_EQ(session.playMode(), PlayMode::Continuous);
    EXPECT_TRUE(popupItem("mnuPBCont")->isChecked());
    EXPECT_FALSE(popupItem("mnuPBShuffle")->isChecked());
    EXPECT_TRUE(checked("PMShuffle")) << "the main menu's radio stays as it was";

    choosePopup("mnuRMNoRepeat");
    EXPECT_EQ(session.repeatMode(), RepeatMode::NoRepeat);
    EXPECT_TRUE(checked("RMRepeatAll"));

    dispatchKey("ExitKorvane");
    EXPECT_EQ(session.afterPlay().action(), AfterPlayAction::Exit);
    EXPECT_TRUE(checked("ExitKorvane"));
    EXPECT_EQ(registry.group(CommandGroup::AfterPlay)->checkedAction()->objectName(),
              "ExitKorvane");
}

TEST_F(CommandHandlersTest, SpeedItemsFollowTheRate)
{
    dispatchKey("ResetSpeed");
    EXPECT_EQ(session.playbackRate(), 1.0) << "stopped: nothing";
    addEntries(1);
    playFirst();
    QSignalSpy rate(&session, &PlaybackSession::speedTextChanged);
    for (int i = 0; i < 4; ++i) {
        dispatchKey("IncreaseSpeed");
    }
    EXPECT_EQ(session.playbackRate(), 16.0);
    EXPECT_FALSE(enabled("IncreaseSpeed"));
    EXPECT_TRUE(enabled("DecreaseSpeed"));
    dispatchKey("ResetSpeed");
    EXPECT_EQ(session.playbackRate(), 1.0);
    EXPECT_TRUE(enabled("IncreaseSpeed"));
    ASSERT_FALSE(rate.isEmpty());
    EXPECT_EQ(rate.last().at(0).toString(), QStringLiteral("Playing rate:1x"));

    session.pause();
    const double before = session.playbackRate();
    dispatchKey("IncreaseSpeed");
    dispatchKey("ResetSpeed");
    EXPECT_EQ(session.playbackRate(), before * 2) << "paused: the rate moves, reset does nothing";
}

TEST_F(CommandHandlersTest, HistoryItemsPlayTheirSlot)
{
    history.addToHistory("/m/old.mkv", "old.mkv");
    history.addToHistory("/m/new.mkv", "new.mkv");
    QAction* second = action("History1");
    EXPECT_EQ(second->text(), QStringLiteral("new.mkv"));
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(enabled("History0"));
    QSignalSpy plays(&playlist, &Playlist::playRequested);
    dispatchKey("History1");
    settle();
    ASSERT_EQ(model.count(), 1);
    EXPECT_EQ(model.fullPath(0), QStringLiteral("/m/new.mkv"));
    EXPECT_EQ(plays.size(), 1);
    dispatchKey("History7");
    settle();
    EXPECT_EQ(model.count(), 1) << "an empty slot opens nothing";
    EXPECT_TRUE(bindings.popups().menu(MenuId::PopupRecent)->actions().contains(second))
        << "the popup lists the same history actions";

    // A title with an ampersand shows as it is, with no access key taken from it.
    history.addToHistory("/m/R&B x.mp4", "R&B x.mp4");
    const QString text = action("History2")->text();
    EXPECT_EQ(QKeySequence::mnemonic(text), QKeySequence());
    EXPECT_EQ(QString(text).replace("&&", "&"), "R&B x.mp4");
}

TEST_F(CommandHandlersTest, PopupPlayMenuRefreshesOnOpening)
{
    const char* const media[] = {"mnufullscreen", "mnuincspeed", "mnudecSpeed", "mnuresSpeed",
                                 "mnustop"};
    dispatchKey("PMShuffle");
    dispatchKey("RMNoRepeat");
    QMenu* menu = bindings.popups().menu(MenuId::PopupPlay);
    emit menu->aboutToShow();
    EXPECT_TRUE(popupItem("mnuPBShuffle")->isChecked());
    EXPECT_TRUE(popupItem("mnuRMNoRepeat")->isChecked()) << "the current repeat mode";
    for (const char* name : media) {
        EXPECT_FALSE(popupItem(name)->isEnabled()) << name;
    }

    addEntries(1);
    playFirst();
    dispatchKey("PMNormal");
    emit menu->aboutToShow();
    EXPECT_TRUE(popupItem("mnuPBShuffle")->isChecked()) << "opening adds checks, it clears none";
    EXPECT_TRUE(popupItem("mnuPBNormal")->isChecked());
    for (const char* name : media) {
        EXPECT_TRUE(popupItem(name)->isEnabled()) << name;
    }
    choosePopup("mnuincspeed");
    EXPECT_EQ(session.playbackRate(), 2.0) << "the popup speed items act";

    dispatchKey("RemoveAll");
    EXPECT_FALSE(popupItem("mnuNext")->isEnabled());
    EXPECT_FALSE(action("PMShuffle")->isChecked()) << "the menu bar keeps its own radio";
    EXPECT_TRUE(action("PMNormal")->isChecked());
}

TEST_F(CommandHandlersTest, PopupItemsShowTheirOwnCaptionsAndStatesOpenOrNot)
{
    EXPECT_EQ(popupItem("mnuOpenFile")->text(), "Open Video File...");
    EXPECT_EQ(action("OpenFile")->text(), "Open Media File...");
    EXPECT_TRUE(popupItem("dvdsList(0)")->isEnabled()) << "the tray lists the drives";
    EXPECT_FALSE(enabled("DVDList0"));
    bindings.popupFileMenu(QPoint(10, 10));
    EXPECT_EQ(action("OpenFile")->text(), "Open Media File...") << "opening swaps nothing";
    bindings.popups().menu(MenuId::PopupFile)->hide();
}

TEST_F(CommandHandlersTest, PlayPauseFromEveryWayInPausesOnce)
{
    addEntries(2);
    playFirst();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kWindowWaitMs));
    const struct
    {
        const char* name;
        std::function<void()> give;
    } ways[] = {
        {"menu item",
         [this] {
             action("PlayPause")->trigger();
         }},
        {"skin button",
         [this] {
             emit window.regionClicked(SkinRegion::Pause);
         }},
        {"key",
         [this] {
             QTest::keyClick(&window, Qt::Key_P, Qt::ControlModifier);
         }},
        {"popup item",
         [this] {
             choosePopup("mnuplay");
         }},
    };
    for (const auto& way : ways) {
        const int toggles = engine().callCount("togglePause");
        const bool wasPaused = session.flags().paused;
        way.give();
        EXPECT_EQ(engine().callCount("togglePause"), toggles + 1) << way.name;
        EXPECT_NE(session.flags().paused, wasPaused) << way.name;
        EXPECT_TRUE(enabled("Stop")) << way.name;
        EXPECT_TRUE(enabled("FullScreen")) << way.name;
    }
}

TEST_F(CommandHandlersTest, AboutIsModalAndRestoresTheTopmostBand)
{
    Settings onTop = settings.settings();
    onTop.alwaysOnTop = true;
    settings.apply(onTop);
    window.show();
    bool wasTopmost = true;
    QObject::connect(&bindings, &CommandHandlers::aboutShown, [&](AboutBox* box) {
        wasTopmost = window.isTopmost();
        EXPECT_EQ(box->parentWidget(), &window);
        QTimer::singleShot(0, box, [box] {
            const QPoint ok = AboutBoxGeometry::hitRects(box->width(), box->height())[2].center();
            QTest::mouseClick(box, Qt::LeftButton, {}, ok);
        });
    });
    dispatchKey("About");
    EXPECT_FALSE(wasTopmost);
    EXPECT_TRUE(window.isTopmost());
}

TEST_F(CommandHandlersTest, OptionsIsModalOverTheWindowAndRestoresTheTopmostBand)
{
    Settings onTop = settings.settings();
    onTop.alwaysOnTop = true;
    settings.apply(onTop);
    // The dialog reads the settings file as it opens.
    settings.save(window.placement());
    window.show();
    ASSERT_TRUE(window.isTopmost());
    int shown = 0;
    bool wasTopmost = true;
    QObject::connect(&bindings, &CommandHandlers::optionsShown, [&](SettingsDialog* options) {
        ++shown;
        wasTopmost = window.isTopmost();
        EXPECT_EQ(options->parentWidget(), &window);
        QTimer::singleShot(0, options, [options] { options->reject(); });
    });
    action("Options")->trigger();
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(wasTopmost);
    EXPECT_TRUE(window.isTopmost());
}

TEST_F(CommandHandlersTest, HelpTopicsOpensTheShippedPage)
{
    dispatchKey("HelpTopics");
    if (QFileInfo(bindings.helpPagePath()).isFile()) {
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened.first(), QUrl::fromLocalFile(bindings.helpPagePath()));
    } else {
        EXPECT_TRUE(opened.isEmpty()) << "a missing page reports nothing";
    }
    EXPECT_TRUE(bindings.helpPagePath().endsWith("/help/index.html"));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(CommandHandlersTest, EveryCommandWritesALine)
{
    QLoggingCategory::setFilterRules("korvane.ui.debug=true");
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordLog);
    registry.action(Command::DvdDrive0)->trigger();
    choosePopup("mnuRMSingleRepeat");
    choosePopup("History0");
    registry.action(Command::Mute)->trigger();
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    EXPECT_EQ(logged, (QStringList{"command mnuRMSingleRepeat", "command Mute"}))
        << "disabled items give nothing; a popup item logs its own name";
    EXPECT_EQ(session.repeatMode(), RepeatMode::SingleRepeat);
}

TEST_F(CommandHandlersTest, TheFullScreenCommandSwitchesFullScreenOnAndOff)
{
    QObject::connect(&session, &PlaybackSession::fullScreenRequested, &window,
                     &MainWindow::setVideoFullScreen);
    window.show();
    dispatchKey("FullScreen");
    EXPECT_FALSE(window.isVideoFullScreen()) << "nothing plays: the command is not for now";
    addEntries(1);
    playFirst();
    for (const bool expected : {true, false, true}) {
        dispatchKey("FullScreen");
        EXPECT_EQ(window.isVideoFullScreen(), expected);
    }
    // Esc leaves it too, and the command then switches it on again.
    window.setVideoFullScreen(false);
    dispatchKey("FullScreen");
    EXPECT_TRUE(window.isVideoFullScreen());
}

namespace {

// The controls on the same parts: keys, the wheel and the menu items go in at the window, and
// what reaches the engine, the window and the log comes out.
void recordEverything(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (QByteArray(context.category).startsWith("korvane.")) {
        logged << message;
    }
}

class ControlsTest : public CommandHandlersTest
{
protected:
    ControlsTest()
    {
        Settings changed = settings.settings();
        changed.snapshotPath = dir.filePath("Pictures");
        changed.snapshotFormat = SnapshotFormat::Png;
        changed.snapshotPreview = true;
        settings.apply(changed);
        CommandBindings::bindControls(registry, controls, window);
        QObject::connect(&session, &PlaybackSession::fullScreenRequested, &window,
                         &MainWindow::setVideoFullScreen);
        QLoggingCategory::setFilterRules("korvane.*.debug=true");
        logged.clear();
        previous = qInstallMessageHandler(recordEverything);
    }
    ~ControlsTest() override
    {
        qInstallMessageHandler(previous);
        QLoggingCategory::setFilterRules(QString());
    }
    // Two entries, the first playing a minute-long item with a picture, 10 s in.
    void play()
    {
        addEntries(2);
        playFirst();
        engine().fakeLength = 60000;
        engine().fakeTime = 10000;
        engine().fireVout();
        engine().fireState(Engine::Playing);
    }
    void showWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window, kWindowWaitMs));
    }
    QAction* action(Command command) const { return registry.action(command); }
    void trigger(Command command) { registry.action(command)->trigger(); }
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
    ControlHandlers controls{registry, window, session, settings, messages};
};

TEST_F(ControlsTest, EachKeyReachesTheEngineThroughItsCommand)
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
             return QFileInfo::exists(dir.filePath("Pictures/clip0.mkv Images/IMG_0001.png"));
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

TEST_F(ControlsTest, TheWheelSetsTheVolumeOverTheVideoAndSeeksOverTheBar)
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
    engine().fakeTime = 40000;
    turnWheel(window.findChild<ProgressBar*>(), 120);
    EXPECT_DOUBLE_EQ(engine().fakePosition, 45000.0 / 60000)
        << "a notch steps from where the item is now, between the watch's looks too";
}

TEST_F(ControlsTest, TrackItemsListTheItemsTracksAndSwitchAtOnce)
{
    QMenu* audioMenu = window.findChild<MainMenuBar*>()->submenu(MenuId::AudioTrack);
    ASSERT_NE(audioMenu, nullptr);
    EXPECT_FALSE(audioMenu->menuAction()->isEnabled()) << "greyed while nothing plays";
    EXPECT_FALSE(action(Command::TakeSnapshot)->isEnabled()) << "no picture to take";
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
    EXPECT_FALSE(action(Command::TakeSnapshot)->isEnabled());
}

TEST_F(ControlsTest, ThePlayPopupOverTheVideoOffersTheTracksGreyedWhileThereAreNone)
{
    QMenu* popup = bindings.popups().menu(MenuId::PopupPlay);
    QMenu* audio = bindings.popups().menu(MenuId::PopupAudioTrack);
    QMenu* subtitles = bindings.popups().menu(MenuId::PopupSubtitle);
    ASSERT_TRUE(popup && audio && subtitles);
    emit popup->aboutToShow();
    EXPECT_FALSE(audio->menuAction()->isEnabled());
    EXPECT_FALSE(subtitles->menuAction()->isEnabled());

    play();
    engine().fakeAudioTracks = {{1, "Track 1 - [English]"}, {2, "Track 2 - [Deutsch]"}};
    engine().fakeAudioTrack = 1;
    engine().fireTracks();
    emit popup->aboutToShow();
    EXPECT_TRUE(audio->menuAction()->isEnabled());
    EXPECT_TRUE(subtitles->menuAction()->isEnabled()) << "Off and Open Subtitle File... remain";
    EXPECT_EQ(popupItem("AudioTrack1")->text(), "Track 2 - [Deutsch]");
    choosePopup("AudioTrack1");
    EXPECT_EQ(engine().fakeAudioTrack, 2);
    choosePopup("TakeSnapshot");
    EXPECT_TRUE(logged.contains("command TakeSnapshot"));
}

TEST_F(ControlsTest, ASubtitleFileIsAddedOrRefusedWithAMessage)
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
    EXPECT_EQ(asked, QStringList({"/m"})) << "beside the item";
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

TEST_F(ControlsTest, ASnapshotShowsItsPreviewAndAFailureLeavesPlaybackAlone)
{
    play();
    trigger(Command::TakeSnapshot);
    EXPECT_TRUE(window.findChild<QWidget*>("SnapshotPreview")->isVisibleTo(&window));
    Settings changed = settings.settings();
    changed.snapshotPath = dir.filePath("Pictures/clip0.mkv Images/IMG_0001.png"); // a file
    settings.apply(changed);
    trigger(Command::TakeSnapshot);
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].text.contains(changed.snapshotPath + "/clip0.mkv Images"));
    EXPECT_EQ(engine().callCount("stop"), 0) << "playback goes on";
}

TEST_F(ControlsTest, DeleteRemovesTheSelectedEntryOnlyFromThePlaylist)
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

TEST_F(ControlsTest, EveryNewKeyShowsInTheMenuBarAndNoKeyIsTaken)
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

TEST_F(ControlsTest, EveryItemStandsForItsCommandBoundOnce)
{
    std::set<QAction*> seen;
    const auto collect = [&seen](QMenu* menu, const auto& self) -> void {
        for (QAction* a : menu->actions()) {
            if (a->menu()) {
                self(a->menu(), self);
            } else if (!a->isSeparator()) {
                seen.insert(a);
            }
        }
    };
    for (QAction* title : menuBar()->actions()) {
        collect(title->menu(), collect);
    }
    for (MenuId popup : {MenuId::PopupFile, MenuId::PopupPlay, MenuId::PopupPlayList}) {
        collect(bindings.popups().menu(popup), collect);
    }
    for (SkinRegion region :
         {SkinRegion::Play, SkinRegion::Pause, SkinRegion::Stop, SkinRegion::Previous,
          SkinRegion::Next, SkinRegion::FullScreen, SkinRegion::Sound, SkinRegion::PlayList,
          SkinRegion::Open, SkinRegion::Dvd, SkinRegion::SnapShot}) {
        QAction* a = registry.action(RegionCommands::commandOf(region));
        ASSERT_NE(a, nullptr) << static_cast<int>(region);
        seen.insert(a);
    }
    std::set<Command> commands;
    for (QAction* a : seen) {
        const Command command = registry.commandOf(a);
        commands.insert(command);
        EXPECT_TRUE(a == registry.action(command) || a == registry.popupAction(command));
        EXPECT_EQ(CommandBindings::handlerCount(a), 1) << a->objectName().toStdString();
    }
    EXPECT_EQ(commands.size(), static_cast<std::size_t>(commandCount)) << "each has an item";
    EXPECT_EQ(registry.action(RegionCommands::commandOf(SkinRegion::Close)), nullptr);
}

} // namespace
