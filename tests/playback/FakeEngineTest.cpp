#include "playback/FakeEngine.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

TEST(FakeEngine, EndedComesAfterTheEndedState)
{
    FakeEngine engine;
    std::vector<QString> order;
    QObject::connect(&engine, &Engine::stateChanged, &engine, [&](int state) {
        order.push_back(QStringLiteral("state %1 read %2").arg(state).arg(engine.state()));
    });
    QObject::connect(&engine, &Engine::ended, &engine, [&] { order.push_back("ended"); });
    engine.fireEnded();
    EXPECT_EQ(order, (std::vector<QString>{"state 6 read 6", "ended"}));
}

TEST(FakeEngine, RecordsCallsAndKeepsWhatWasSet)
{
    FakeEngine engine;
    EXPECT_FALSE(engine.hasMedia());
    EXPECT_TRUE(engine.open("/music/a.wav", {"snapshot-sequential"}));
    EXPECT_TRUE(engine.open("dvd:///dev/sr0"));
    EXPECT_FALSE(engine.open(QString()));
    engine.play();
    engine.setRate(2.0);
    engine.setVolume(30);
    engine.toggleMute();
    EXPECT_EQ(engine.calls,
              (QStringList{"open", "open", "open", "play", "setRate", "setVolume", "toggleMute"}));
    EXPECT_TRUE(engine.hasMedia());
    EXPECT_EQ(engine.item().mrlOrPath, "dvd:///dev/sr0") << "the last open is the item";
    EXPECT_EQ(engine.opened[0].options, QStringList{"snapshot-sequential"});
    EXPECT_EQ(engine.rate(), 2.0);
    EXPECT_EQ(engine.volume(), 30);
    EXPECT_TRUE(engine.isMuted());
    EXPECT_EQ(engine.state(), Engine::Idle) << "play() alone changes nothing";
}

} // namespace
