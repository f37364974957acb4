#include "playback/Transport.h"

#include "playback/EngineHost.h"
#include "playback/FakeEngine.h"
#include "settings/SettingsStore.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

// The transport over the host's fake engine: the state it leaves is what the wheel, MPRIS and the
// playlist read, so each command must leave it as the engine stands.
namespace {

class TransportTest : public ::testing::Test
{
public:
    TransportTest() { start(0); }

    FakeEngine& engine() { return *static_cast<FakeEngine*>(host.engine()); }

    void start(int index)
    {
        host.startEntry(index, QStringLiteral("/m/%1.mkv").arg(index));
        transport.start();
        transport.enableMediaControl(MediaControlState::Playing);
    }

    void runTo(double timeMs)
    {
        engine().fakeLength = 10000;
        engine().fakeTime = timeMs;
        engine().fakePosition = timeMs / 10000;
    }

    SettingsStore settings{SettingsEnvironment{}};
    EngineHost host{settings, [](const QStringList&) {
                        return std::make_unique<FakeEngine>();
                    }};
    Transport transport{host};
};

struct Step
{
    const char* name;
    std::function<void(TransportTest&)> act;
    MediaControlState::State control;
    double timeMs;
};

} // namespace

TEST_F(TransportTest, TheStateIsTheEnginesAfterEachCommand)
{
    const Step steps[] = {
        {"a new item starts at 0", [](auto&) {}, MediaControlState::Playing, 0},
        {"a tick reads the engine",
         [](auto& t) {
             t.runTo(4000);
             t.engine().fireState(Engine::Playing);
             t.transport.monitorTick();
         },
         MediaControlState::Playing, 4000},
        {"a pause takes the time it stopped at",
         [](auto& t) {
             t.runTo(4700);
             t.transport.pause();
         },
         MediaControlState::Paused, 4700},
        {"resumed", [](auto& t) { t.transport.resume(); }, MediaControlState::Playing, 4700},
        {"stopped",
         [](auto& t) {
             t.runTo(0);
             t.transport.stop();
         },
         MediaControlState::Stopped, 0},
        {"the next item starts at 0", [](auto& t) { t.start(1); }, MediaControlState::Playing, 0},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act(*this);
        EXPECT_EQ(transport.state().control, step.control);
        EXPECT_DOUBLE_EQ(transport.state().timeMs, step.timeMs);
    }
}

TEST_F(TransportTest, VolumeAndMuteCarryOverToTheNextControl)
{
    transport.setVolume(40);
    transport.toggleMute();
    start(1);
    EXPECT_EQ(engine().fakeVolume, 40);
    EXPECT_TRUE(engine().muted);
    EXPECT_EQ(transport.state().volume, 40);
    EXPECT_TRUE(transport.state().muted);
}
