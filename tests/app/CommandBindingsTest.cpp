#include "app/CommandBindings.h"

#include "QtPrinters.h"
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
#include "system/FakePowerControl.h"
#include "system/FakeUserStore.h"
#include "system/RecordingUserMessages.h"
#include "ui/dialogs/AboutBox.h"
#include "ui/frame/MainWindow.h"
#include "ui/menus/ActionRegistry.h"
#include "ui/menus/ClassicPopups.h"
#include "ui/menus/MainMenuBar.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QMenu>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class AcceptingProber : public MediaProber
{
public:
    bool probe(const QString& path, ProbeResult& result) override
    {
        result.StreamInfoText = "info of " + path;
        result.CurrentPicture = QImage(8, 8, QImage::Format_RGB32);
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

class CommandBindingsTest : public ::testing::Test
{
protected:
    CommandBindingsTest()
    {
        settings.setConfigPath(dir.filePath("Korvane/Config.cfg"));
        QObject::connect(&playlist, &Playlist::playRequested, &session,
                         &PlaybackSession::playEntry);
        QObject::connect(&playlist, &Playlist::committed, &session,
                         &PlaybackSession::rebuildSequence);
        bindings.setUrlOpener([this](const QUrl& url) { opened << url; });
        session.saveVLCOptions();
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

    bool enabled(const char* key) const { return bindings.actions().action(key)->isEnabled(); }
    bool checked(const char* key) const { return bindings.actions().action(key)->isChecked(); }
    QAction* classic(const char* name) const { return bindings.popups().item(name); }

    QTemporaryDir dir;
    SettingsStore settings{environment()};
    PlaylistModel model;
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
    CommandBindings bindings{window, session, playlist, model, history, settings};
    QList<QUrl> opened;
};

} // namespace

TEST_F(CommandBindingsTest, StartUpEnabling)
{
    for (const char* key : {"Stop", "FullScreen", "IncreaseSpeed", "DecreaseSpeed", "ResetSpeed",
                            "Remove", "RemoveAll", "Next", "Previous", "DVDList0", "History0"}) {
        EXPECT_FALSE(enabled(key)) << key;
    }
    for (const char* key : {"OpenFile", "PlayPause", "Exit", "PMShuffle", "About", "HelpTopics"}) {
        EXPECT_TRUE(enabled(key)) << key;
    }
    EXPECT_EQ(bindings.actions().action("History0")->text(), QStringLiteral("<No History>"));
    EXPECT_FALSE(bindings.actions().action("History1")->isVisible());
    EXPECT_EQ(bindings.menuBar()->pos(), QPoint(15, 31));
}

TEST_F(CommandBindingsTest, PlayPauseOnAnEmptyPlaylistOpensTheDialogAndEnablesStop)
{
    bindings.dispatchKey("PlayPause");
    EXPECT_EQ(chooser.calls.size(), 1);
    EXPECT_TRUE(enabled("Stop")) << "even though nothing was chosen";
    bindings.dispatchKey("Stop");
    EXPECT_FALSE(enabled("Stop"));
}

TEST_F(CommandBindingsTest, PlayPauseTogglesWhilePlaying)
{
    addEntries(2);
    playFirst();
    EXPECT_TRUE(enabled("Stop"));
    bindings.dispatchKey("PlayPause");
    EXPECT_TRUE(session.flags().Paused);
    EXPECT_TRUE(enabled("FullScreen")) << "paused keeps the media items";
    bindings.dispatchKey("PlayPause");
    EXPECT_FALSE(session.flags().Paused);
    EXPECT_TRUE(chooser.calls.isEmpty());
}

TEST_F(CommandBindingsTest, ShortcutsReachTheirActions)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
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
             return session.flags().Paused;
         }},
        {"Ctrl+P resumes", Qt::CTRL | Qt::Key_P,
         [this] {
             return !session.flags().Paused;
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
             return session.flags().Stopped;
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

TEST_F(CommandBindingsTest, PlaylistItemsFollowTheEntries)
{
    addEntries(2);
    for (const char* key : {"Remove", "RemoveAll", "Next", "Previous"}) {
        EXPECT_TRUE(enabled(key)) << key;
    }
    model.select(1);
    bindings.dispatchKey("Remove");
    EXPECT_EQ(model.count(), 1);
    EXPECT_TRUE(enabled("Remove"));
    bindings.dispatchKey("RemoveAll");
    EXPECT_EQ(model.count(), 0);
    for (const char* key : {"Remove", "RemoveAll", "Next", "Previous"}) {
        EXPECT_FALSE(enabled(key)) << key;
    }
}

TEST_F(CommandBindingsTest, AddFromTheMainMenuSelectsTheFirstEntry)
{
    chooser.answers << QStringList{"/m/x.mkv", "/m/y.mkv"};
    bindings.dispatchKey("AddVideoFile");
    settle();
    EXPECT_EQ(model.count(), 2);
    EXPECT_EQ(model.selectedItem(), 0);
    EXPECT_FALSE(session.flags().MediaActive) << "adding plays nothing";
}

TEST_F(CommandBindingsTest, ModesFromTheMainMenuAndFromTheClassicMenu)
{
    bindings.dispatchKey("PMShuffle");
    EXPECT_EQ(settings.settings().playMode, PlayMode::Shuffle);
    EXPECT_TRUE(checked("PMShuffle"));
    bindings.dispatchKey("RMRepeatAll");
    EXPECT_EQ(settings.settings().repeatMode, RepeatMode::RepeatAll);
    EXPECT_TRUE(checked("RMRepeatAll"));

    classic("mnuPBCont")->trigger();
    EXPECT_EQ(settings.settings().playMode, PlayMode::Continuous);
    EXPECT_TRUE(classic("mnuPBCont")->isChecked());
    EXPECT_TRUE(checked("PMShuffle")) << "the main menu's radio stays as it was";

    classic("mnuRMNoRepeat")->trigger();
    EXPECT_EQ(settings.settings().repeatMode, RepeatMode::NoRepeat);
    EXPECT_TRUE(checked("RMRepeatAll"));

    bindings.dispatchKey("ExitKorvane");
    EXPECT_EQ(session.afterPlay().action(), AfterPlayAction::Exit);
    EXPECT_TRUE(checked("ExitKorvane"));
    EXPECT_EQ(bindings.actions().group("AfterPlay")->checkedAction()->objectName(), "ExitKorvane");
}

TEST_F(CommandBindingsTest, SpeedItemsFollowTheRate)
{
    bindings.dispatchKey("ResetSpeed");
    EXPECT_EQ(session.playbackRate(), 1.0) << "stopped: nothing";
    addEntries(1);
    playFirst();
    QSignalSpy rate(&session, &PlaybackSession::rateTextChanged);
    for (int i = 0; i < 4; ++i) {
        bindings.dispatchKey("IncreaseSpeed");
    }
    EXPECT_EQ(session.playbackRate(), 16.0);
    EXPECT_FALSE(enabled("IncreaseSpeed"));
    EXPECT_TRUE(enabled("DecreaseSpeed"));
    bindings.dispatchKey("ResetSpeed");
    EXPECT_EQ(session.playbackRate(), 1.0);
    EXPECT_TRUE(enabled("IncreaseSpeed"));
    ASSERT_FALSE(rate.isEmpty());
    EXPECT_EQ(rate.last().at(0).toString(), QStringLiteral("Playing rate:1x"));

    session.pause();
    const double before = session.playbackRate();
    bindings.dispatchKey("IncreaseSpeed");
    bindings.dispatchKey("ResetSpeed");
    EXPECT_EQ(session.playbackRate(), before * 2) << "paused: the rate moves, reset does nothing";
}

TEST_F(CommandBindingsTest, HistoryItemsPlayTheirSlot)
{
    history.addToHistory("/m/old.mkv", "old.mkv");
    history.addToHistory("/m/new.mkv", "new.mkv");
    QAction* second = bindings.actions().action("History1");
    EXPECT_EQ(second->text(), QStringLiteral("new.mkv"));
    EXPECT_TRUE(second->isVisible());
    EXPECT_TRUE(enabled("History0"));
    QSignalSpy plays(&playlist, &Playlist::playRequested);
    bindings.dispatchKey("History1");
    settle();
    ASSERT_EQ(model.count(), 1);
    EXPECT_EQ(model.fullPath(0), QStringLiteral("/m/new.mkv"));
    EXPECT_EQ(plays.size(), 1);
    bindings.dispatchKey("History7");
    settle();
    EXPECT_EQ(model.count(), 1) << "an empty slot opens nothing";
    EXPECT_TRUE(bindings.popups().menu("mnuRecentMenu")->actions().contains(second));
}

TEST_F(CommandBindingsTest, ClassicPlayMenuRefreshesOnOpening)
{
    bindings.dispatchKey("PMShuffle");
    bindings.dispatchKey("RMNoRepeat");
    bindings.popupPlayMenu(QPoint(10, 10));
    QMenu* menu = bindings.popups().menu("mnuPlayBackMenu");
    EXPECT_TRUE(classic("mnuPBShuffle")->isChecked());
    EXPECT_TRUE(classic("mnuRMNoRepeat")->isChecked()) << "the current repeat mode";
    for (const char* name :
         {"mnufullscreen", "mnuincspeed", "mnudecSpeed", "mnuresSpeed", "mnustop"}) {
        EXPECT_FALSE(classic(name)->isEnabled()) << name;
    }
    menu->hide();

    addEntries(1);
    playFirst();
    bindings.popupPlayMenu(QPoint(10, 10));
    for (const char* name :
         {"mnufullscreen", "mnuincspeed", "mnudecSpeed", "mnuresSpeed", "mnustop"}) {
        EXPECT_TRUE(classic(name)->isEnabled()) << name;
    }
    menu->hide();
    classic("mnuincspeed")->trigger();
    EXPECT_EQ(session.playbackRate(), 2.0) << "the classic speed items now act";

    bindings.popupPlayListMenu(QPoint(10, 10));
    EXPECT_TRUE(classic("mnuNext")->isEnabled());
    bindings.popups().menu("mnuPlayListmenu")->hide();
}

TEST_F(CommandBindingsTest, AboutIsModalAndRestoresTheTopmostBand)
{
    Settings onTop = settings.settings();
    onTop.alwaysOnTop = true;
    settings.apply(onTop);
    window.show();
    bool wasTopmost = true;
    QObject::connect(&bindings, &CommandBindings::aboutShown, [&](AboutBox* box) {
        wasTopmost = window.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        EXPECT_EQ(box->parentWidget(), &window);
        QTimer::singleShot(0, box, [box] {
            const QPoint ok = AboutBoxGeometry::hitRects(box->width(), box->height())[2].center();
            QTest::mouseClick(box, Qt::LeftButton, {}, ok);
        });
    });
    bindings.dispatchKey("About");
    EXPECT_FALSE(wasTopmost);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(CommandBindingsTest, HelpTopicsOpensTheShippedPage)
{
    bindings.dispatchKey("HelpTopics");
    if (QFileInfo(bindings.helpPagePath()).isFile()) {
        ASSERT_EQ(opened.size(), 1);
        EXPECT_EQ(opened.first(), QUrl::fromLocalFile(bindings.helpPagePath()));
    } else {
        EXPECT_TRUE(opened.isEmpty()) << "a missing page reports nothing";
    }
    EXPECT_TRUE(bindings.helpPagePath().endsWith("/help/index.html"));
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(CommandBindingsTest, EveryDispatchWritesACommandLine)
{
    QLoggingCategory::setFilterRules("korvane.ui.debug=true");
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(recordLog);
    bindings.dispatchKey("DVDList3");
    bindings.dispatchKey("nothing at all");
    bindings.dispatchClassic("mnuRMSingleRepeat");
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QString());
    EXPECT_EQ(logged, (QStringList{"command DVDList3", "command nothing at all",
                                   "command mnuRMSingleRepeat"}));
    EXPECT_EQ(settings.settings().repeatMode, RepeatMode::SingleRepeat);
}
