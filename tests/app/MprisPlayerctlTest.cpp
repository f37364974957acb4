// Korvane's MPRIS side driven by a real client, playerctl, on a bus of the test's own.
#include "GeneratedMedia.h"
#include "app/CommandBindings.h"
#include "app/CommandHandlers.h"
#include "app/MprisBridge.h"
#include "commands/CommandRegistry.h"
#include "mediainfo/MediaProber.h"
#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playlist/FakeFileChooser.h"
#include "playlist/OpenDialog.h"
#include "playlist/Playlist.h"
#include "playlist/RecentHistory.h"
#include "settings/SettingsStore.h"
#include "system/FakeDesktopIntegration.h"
#include "system/FakePowerControl.h"
#include "system/FakeUserStore.h"
#include "system/FileAssociations.h"
#include "system/MprisService.h"
#include "system/PrivateBus.h"
#include "system/RecordingUserMessages.h"
#include "ui/frame/MainWindow.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class AcceptingProber : public MediaProber
{
public:
    bool probe(const QString& path, ProbeResult& result) override
    {
        if (!QFileInfo::exists(path)) {
            result.lastProbeError = "not found";
            return false;
        }
        result.streamInfoText = "info of " + path;
        result.currentPicture = QImage(8, 6, QImage::Format_RGB32);
        result.currentPicture.fill(Qt::red);
        return true;
    }
};

class PropertiesRecorder : public QObject
{
    Q_OBJECT
public:
    QList<QVariantMap> changes;
public slots:
    void changed(const QString&, const QVariantMap& properties, const QStringList&)
    {
        changes << properties;
    }
};

class MprisPlayerctlTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable("playerctl").isEmpty()) {
            GTEST_SKIP() << "playerctl is not installed";
        }
        ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
        session.applyEngineSettings();
        session.enableMediaControl(MediaControlState::Stopped);
        for (const char* name : {"first.mkv", "second.mkv"}) {
            model.append(PlaylistEntry{name, QImage(4, 3, QImage::Format_RGB32),
                                       QString("/m/") + name, "info"});
        }
        model.select(0);
        session.rebuildSequence();
        // As the program binds them: the bus reaches the session through the commands' actions.
        CommandBindings::bindCommands(registry, commands, session, playlist, window);
        CommandBindings::bindMpris(registry, bridge, service, window);
        ASSERT_TRUE(service.start());
    }

    // Runs playerctl against the private bus while this thread keeps answering it.
    QString playerctl(const QStringList& arguments)
    {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DBUS_SESSION_BUS_ADDRESS", bus.address());
        process.setProcessEnvironment(env);
        process.start("playerctl", QStringList{"-p", "korvane"} + arguments);
        QElapsedTimer timer;
        timer.start();
        while (process.state() != QProcess::NotRunning && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            process.waitForFinished(5);
        }
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }
    void settle(int ms = 100)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    FakeEngine& engine() { return *static_cast<FakeEngine*>(session.engine()); }

    korvane::test::PrivateBus bus;
    QTemporaryDir art;
    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel model;
    AcceptingProber prober;
    RecordingUserMessages messages;
    FakeFileChooser chooser;
    OpenDialog dialog{chooser};
    Playlist playlist{model, prober, messages, dialog};
    PlaybackSession session{settings, model, power, [](const QStringList&) {
                                return std::make_unique<FakeEngine>();
                            }};
    CommandRegistry registry;
    MainWindow window{settings};
    FakeUserStore store;
    RecentHistory history{store};
    FakeDesktopIntegration desktop;
    FileAssociations associations{store, desktop, "/opt/korvane/", "/opt/korvane/korvane"};
    CommandHandlers commands{registry, window,   session,  playlist,
                             history,  settings, messages, associations};
    MprisBridge bridge{session, playlist, settings, art.path()};
    MprisService service{bridge, bus.connect("player")};
};

} // namespace

TEST_F(MprisPlayerctlTest, StatusTitleAndTransport)
{
    EXPECT_EQ(playerctl({"status"}), "Stopped");
    EXPECT_EQ(playerctl({"metadata", "title"}), "");

    // An item played and stopped: play-pause starts it again.
    session.playEntry(0, false);
    session.stop();
    EXPECT_EQ(playerctl({"status"}), "Stopped");
    EXPECT_EQ(playerctl({"play-pause"}), "");
    EXPECT_EQ(session.currentFile(), "/m/first.mkv");
    EXPECT_EQ(playerctl({"status"}), "Playing");
    EXPECT_EQ(playerctl({"metadata", "title"}), "first.mkv");
    EXPECT_EQ(playerctl({"metadata", "xesam:url"}), "file:///m/first.mkv");
    const QString artUrl = playerctl({"metadata", "mpris:artUrl"});
    EXPECT_TRUE(QFile::exists(QUrl(artUrl).toLocalFile())) << artUrl.toStdString();

    playerctl({"play-pause"});
    EXPECT_EQ(playerctl({"status"}), "Paused");
    playerctl({"play"});
    EXPECT_EQ(playerctl({"status"}), "Playing");

    playerctl({"next"});
    EXPECT_EQ(session.currentFile(), "/m/second.mkv");
    EXPECT_EQ(playerctl({"metadata", "title"}), "second.mkv");

    engine().fakeLength = 10000;
    engine().fakeTime = 4000;
    session.monitorTick(); // the transport reads the engine on its ticks
    EXPECT_NEAR(playerctl({"position"}).toDouble(), 4.0, 0.01);
    playerctl({"position", "1"});
    EXPECT_EQ(engine().fakePosition, 0.1);
    EXPECT_EQ(playerctl({"metadata", "mpris:length"}), "10000000");

    playerctl({"volume", "0.25"});
    EXPECT_EQ(session.volume(), 25);

    playerctl({"stop"});
    EXPECT_EQ(playerctl({"status"}), "Stopped");
}

TEST_F(MprisPlayerctlTest, ChangesAreAnnounced)
{
    PropertiesRecorder recorder;
    QDBusConnection listener = bus.connect("listener");
    ASSERT_TRUE(listener.connect(QString(), MprisService::ObjectPath,
                                 "org.freedesktop.DBus.Properties", "PropertiesChanged", &recorder,
                                 SLOT(changed(QString, QVariantMap, QStringList))));
    session.playEntry(1, false);
    settle(300);
    ASSERT_FALSE(recorder.changes.isEmpty());
    bool sawPlaying = false;
    for (const QVariantMap& change : recorder.changes) {
        sawPlaying = sawPlaying || change.value("PlaybackStatus").toString() == "Playing";
    }
    EXPECT_TRUE(sawPlaying);
    // Nothing changed: nothing sent.
    const qsizetype before = recorder.changes.size();
    bridge.changed();
    settle(200);
    EXPECT_EQ(recorder.changes.size(), before);
}

TEST_F(MprisPlayerctlTest, OpenUriTakesAFileIn)
{
    QTemporaryDir media;
    const QString path = media.filePath("clip one.mp4");
    ASSERT_TRUE(korvane::test::writeFile(path, "x"));
    QSignalSpy requests(&playlist, &Playlist::playRequested);
    playerctl({"open", QUrl::fromLocalFile(path).toString()});
    playerctl({"open", "http://example.invalid/a.mp4"});
    playerctl({"open", QUrl::fromLocalFile(media.filePath("missing.mp4")).toString()});
    QElapsedTimer timer;
    timer.start();
    while (model.count() < 3 && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    settle(200);
    ASSERT_EQ(model.count(), 3);
    EXPECT_EQ(model.fullPath(2), path);
    EXPECT_EQ(requests.size(), 1);
    // Neither the remote address nor the missing file passes without a word.
    QStringList texts;
    for (const auto& message : messages.messages) {
        texts << message.text;
    }
    EXPECT_EQ(texts,
              QStringList({"Cannot open file <http://example.invalid/a.mp4>\n"
                           "Korvane opens files on this computer only.",
                           "Cannot open file <" + media.filePath("missing.mp4") + ">\nnot found"}));
}

TEST_F(MprisPlayerctlTest, AnOverLongUriIsRefusedAndTheBusStillAnswers)
{
    QTemporaryDir media;
    const QString path = media.filePath("clip.mp4");
    ASSERT_TRUE(korvane::test::writeFile(path, "x"));
    QDBusConnection client = bus.connect("client");
    const auto openUri = [&](const QString& uri) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(MprisService::ServiceName, MprisService::ObjectPath,
                                           "org.mpris.MediaPlayer2.Player", "OpenUri");
        call << uri;
        QDBusPendingCall pending = client.asyncCall(call, 20000);
        QElapsedTimer timer;
        timer.start();
        while (!pending.isFinished() && timer.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return pending.isFinished() && !pending.isError();
    };
    // A real file's URI behind ten million characters of padding.
    EXPECT_TRUE(openUri(QUrl::fromLocalFile(path).toString() + "?" + QString(10000000, u'a')));
    settle(200);
    EXPECT_EQ(model.count(), 2);
    EXPECT_TRUE(openUri(QUrl::fromLocalFile(path).toString()));
    QElapsedTimer timer;
    timer.start();
    while (model.count() < 3 && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(model.count(), 3);
    EXPECT_EQ(playerctl({"status"}), "Stopped");
}

TEST_F(MprisPlayerctlTest, IdentityAndSecondPlayerName)
{
    QDBusMessage get =
        QDBusMessage::createMethodCall(MprisService::ServiceName, MprisService::ObjectPath,
                                       "org.freedesktop.DBus.Properties", "GetAll");
    get << QString("org.mpris.MediaPlayer2");
    QDBusConnection client = bus.connect("client");
    QDBusPendingCall call = client.asyncCall(get);
    QElapsedTimer timer;
    timer.start();
    while (!call.isFinished() && timer.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    const QVariantMap root = qdbus_cast<QVariantMap>(call.reply().arguments().value(0));
    EXPECT_EQ(root.value("Identity").toString(), "Korvane");
    EXPECT_EQ(root.value("DesktopEntry").toString(), "korvane");
    EXPECT_TRUE(root.value("CanQuit").toBool());

    // The name is taken: a second service says so and the player carries on.
    MprisService second(bridge, bus.connect("second"));
    EXPECT_FALSE(second.start());
    MprisService unconnected(bridge, QDBusConnection::connectToBus("unix:path=/nonexistent", "x"));
    EXPECT_FALSE(unconnected.start());
    QDBusConnection::disconnectFromBus("x");
}

#include "MprisPlayerctlTest.moc"
