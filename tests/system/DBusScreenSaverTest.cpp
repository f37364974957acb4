// The screensaver held off while a video plays, against a recording org.freedesktop.ScreenSaver
// on a bus of the test's own.
#include "system/DBusScreenSaver.h"

#include "playback/FakeEngine.h"
#include "playback/PlaybackSession.h"
#include "playback/ScreenSaverGuard.h"
#include "playlist/PlaylistModel.h"
#include "settings/SettingsStore.h"
#include "system/FakePowerControl.h"
#include "system/PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace {

class RecordingScreenSaver : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    QStringList calls;
    uint nextCookie = 41;

public slots:
    uint Inhibit(const QString& application, const QString& reason)
    {
        calls << QStringLiteral("Inhibit %1 (%2)").arg(application, reason);
        return ++nextCookie;
    }
    void UnInhibit(uint cookie) { calls << QStringLiteral("UnInhibit %1").arg(cookie); }
};

class DBusScreenSaverTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
        QDBusConnection service = bus.connect("screensaver-service");
        ASSERT_TRUE(service.registerObject("/org/freedesktop/ScreenSaver", &fake,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(service.registerService("org.freedesktop.ScreenSaver"));
        session.applyEngineSettings();
        playlist.append(PlaylistEntry{"a.mkv", {}, "/m/a.mkv", {}});
        playlist.append(PlaylistEntry{"b.mp3", {}, "/m/b.mp3", {}});
    }

    // Serves events for a while, so calls and answers cross the bus.
    void settle(int ms = 300)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        }
    }
    void setDisable(qint16 value)
    {
        Settings changed = settings.settings();
        changed.disableScreenSaver = value != 0;
        settings.apply(changed);
    }

    korvane::test::PrivateBus bus;
    RecordingScreenSaver fake;
    SettingsStore settings{SettingsEnvironment{}};
    FakePowerControl power;
    PlaylistModel playlist;
    PlaybackSession session{settings, playlist, power, [](const QStringList&) {
                                return std::make_unique<FakeEngine>();
                            }};
};

} // namespace

TEST_F(DBusScreenSaverTest, OneInhibitWhilePlayingAndItsUnInhibitAfterStop)
{
    setDisable(-1);
    DBusScreenSaver inhibitor(bus.connect("player"));
    ScreenSaverGuard guard(session, settings, inhibitor);
    QObject::connect(&settings, &SettingsStore::changed, &guard, &ScreenSaverGuard::refresh);
    session.playEntry(0, false);
    settle();
    EXPECT_EQ(fake.calls, QStringList{"Inhibit Korvane (Playing a video)"});
    EXPECT_TRUE(inhibitor.isInhibited());

    session.stop();
    settle();
    EXPECT_EQ(fake.calls, QStringList({"Inhibit Korvane (Playing a video)", "UnInhibit 42"}));
    EXPECT_FALSE(inhibitor.isInhibited());
}

TEST_F(DBusScreenSaverTest, PauseSoundAndTheSettingRelease)
{
    setDisable(-1);
    DBusScreenSaver inhibitor(bus.connect("player"));
    ScreenSaverGuard guard(session, settings, inhibitor);
    QObject::connect(&settings, &SettingsStore::changed, &guard, &ScreenSaverGuard::refresh);
    struct Step
    {
        const char* context;
        std::function<void()> action;
        bool inhibited;
    };
    const Step steps[] = {
        {"playing", [&] { session.playEntry(0, false); }, true},
        {"paused", [&] { session.pause(); }, false},
        {"resumed", [&] { session.pause(); }, true},
        {"sound only", [&] { emit session.audioOnlyChanged(true); }, false},
        {"video again", [&] { emit session.audioOnlyChanged(false); }, true},
        {"setting off", [&] { setDisable(0); }, false},
        {"setting on", [&] { setDisable(1); }, true},
    };
    for (const Step& step : steps) {
        step.action();
        settle(150);
        EXPECT_EQ(inhibitor.isInhibited(), step.inhibited) << step.context;
    }
    const auto count = [&](const char* prefix) {
        return std::count_if(fake.calls.begin(), fake.calls.end(),
                             [&](const QString& call) { return call.startsWith(prefix); });
    };
    EXPECT_EQ(count("UnInhibit"), 3);
    EXPECT_EQ(count("Inhibit "), 4);
}

TEST_F(DBusScreenSaverTest, QuickChangesEndReleased)
{
    setDisable(-1);
    DBusScreenSaver inhibitor(bus.connect("player"));
    // Asked and taken back before the first answer: the cookie goes straight back.
    inhibitor.setInhibited(true);
    inhibitor.setInhibited(false);
    inhibitor.setInhibited(true);
    inhibitor.setInhibited(false);
    settle();
    EXPECT_FALSE(inhibitor.isInhibited());
    EXPECT_EQ(fake.calls, QStringList({"Inhibit Korvane (Playing a video)", "UnInhibit 42"}));
}

TEST_F(DBusScreenSaverTest, NoServiceNoBusNothingHappens)
{
    bus.connect("screensaver-service").unregisterService("org.freedesktop.ScreenSaver");
    DBusScreenSaver inhibitor(bus.connect("player"));
    inhibitor.setInhibited(true);
    settle();
    EXPECT_FALSE(inhibitor.isInhibited());

    DBusScreenSaver unconnected(QDBusConnection::connectToBus("unix:path=/nonexistent", "none"));
    unconnected.setInhibited(true);
    unconnected.setInhibited(false);
    EXPECT_FALSE(unconnected.isInhibited());
    QDBusConnection::disconnectFromBus("none");
}

TEST(ScreenSaverGuardRule, WantedOnlyForAPlayingVideo)
{
    struct Case
    {
        bool setting;
        MediaControlState::State state;
        bool audioOnly;
        bool wanted;
    };
    const Case cases[] = {
        {true, MediaControlState::Playing, false, true},
        {true, MediaControlState::Paused, false, false},
        {true, MediaControlState::Stopped, false, false},
        {true, MediaControlState::Playing, true, false},
        {false, MediaControlState::Playing, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScreenSaverGuard::wanted(c.setting, c.state, c.audioOnly), c.wanted)
            << c.setting << " " << int(c.state) << " " << c.audioOnly;
    }
}

#include "DBusScreenSaverTest.moc"
