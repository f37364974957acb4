#include "playback/AfterPlay.h"

#include "system/FakePowerControl.h"
#include "system/LogindPowerControl.h"

#include <gtest/gtest.h>

TEST(AfterPlay, StartsWithNothingCheckedAsDoNothing)
{
    AfterPlay after;
    EXPECT_EQ(after.action(), AfterPlayAction::DoNothing);
    EXPECT_TRUE(after.isChecked("Donothing"));
    EXPECT_FALSE(after.isChecked("ExitKorvane"));
}

TEST(AfterPlay, DoAfterChecksExactlyOneItem)
{
    AfterPlay after;
    for (int todo = 0; todo < 4; ++todo) {
        after.choose(todo);
        EXPECT_EQ(static_cast<int>(after.action()), todo);
        int checked = 0;
        for (const QString& key : AfterPlay::menuKeys())
            checked += after.isChecked(key) ? 1 : 0;
        EXPECT_EQ(checked, 1);
        EXPECT_TRUE(after.isChecked(AfterPlay::menuKeys().at(todo)));
    }
    after.choose(4);
    after.choose(-1);
    EXPECT_EQ(after.action(), AfterPlayAction::ShutDown);
    EXPECT_FALSE(after.isChecked("shutdownthecomputer"));
    EXPECT_EQ(AfterPlay::actionOfMenuKey("RestartTheComputer"), 2);
    EXPECT_EQ(AfterPlay::actionOfMenuKey("Restart"), -1);
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
