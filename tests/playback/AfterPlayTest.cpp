#include "playback/AfterPlay.h"

#include "system/FakePowerControl.h"
#include "system/LogindPowerControl.h"

#include <gtest/gtest.h>

TEST(AfterPlay, StartsWithDoNothing)
{
    AfterPlay after;
    EXPECT_EQ(after.action(), AfterPlayAction::DoNothing);
}

TEST(AfterPlay, ChoosesOnlyTheFourActions)
{
    AfterPlay after;
    for (int todo = 0; todo < 4; ++todo) {
        after.choose(todo);
        EXPECT_EQ(static_cast<int>(after.action()), todo);
    }
    after.choose(4);
    after.choose(-1);
    EXPECT_EQ(after.action(), AfterPlayAction::ShutDown);
}

TEST(AfterPlay, FinishRunsTheChosenActionThroughPowerControl)
{
    AfterPlay after;
    FakePowerControl power;
    EXPECT_EQ(after.finish(power), AfterPlay::Result::StayStopped);
    EXPECT_EQ(power.reboots + power.powerOffs, 0);

    after.choose(1);
    EXPECT_EQ(after.finish(power), AfterPlay::Result::CloseWindow);
    EXPECT_EQ(power.reboots + power.powerOffs, 0);

    after.choose(2);
    EXPECT_EQ(after.finish(power), AfterPlay::Result::StayStopped);
    EXPECT_EQ(power.reboots, 1);
    EXPECT_EQ(power.powerOffs, 0);

    after.choose(3);
    after.finish(power);
    EXPECT_EQ(power.reboots, 1);
    EXPECT_EQ(power.powerOffs, 1);
    // The action stays chosen after it has run.
    EXPECT_EQ(after.action(), AfterPlayAction::ShutDown);
}

// Only the message is built here; nothing is sent.
TEST(LogindPowerControl, AsksTheLoginManagerWithoutInteraction)
{
    for (const char* method : {"Reboot", "PowerOff"}) {
        const QDBusMessage message = LogindPowerControl::managerCall(QString::fromLatin1(method));
        EXPECT_EQ(message.type(), QDBusMessage::MethodCallMessage);
        EXPECT_EQ(message.service(), "org.freedesktop.login1");
        EXPECT_EQ(message.path(), "/org/freedesktop/login1");
        EXPECT_EQ(message.interface(), "org.freedesktop.login1.Manager");
        EXPECT_EQ(message.member(), QLatin1String(method));
        ASSERT_EQ(message.arguments().size(), 1);
        EXPECT_EQ(message.arguments().at(0).metaType(), QMetaType::fromType<bool>());
        EXPECT_FALSE(message.arguments().at(0).toBool());
    }
}
