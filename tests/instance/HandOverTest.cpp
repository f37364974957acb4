#include "instance/HandOver.h"

#include "instance/InstanceChannel.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

class RecordingChannel : public InstanceChannel
{
public:
    bool isAlive(const QString& name) override
    {
        probed << name;
        return alive;
    }
    bool send(const QString& name, const QString& text) override
    {
        sent << name + "|" + text;
        return accepts;
    }
    bool alive = true;
    bool accepts = true;
    QStringList probed;
    QStringList sent;
};

HandOver runningInstance(const QString& forwarding)
{
    HandOver h;
    h.commandName = "/run/cmd";
    h.checkName = "/run/check";
    h.forwardingText = forwarding;
    return h;
}

} // namespace

TEST(HandOver, FirstStartTriesNothing)
{
    RecordingChannel channel;
    HandOver h = runningInstance("/tmp/a.mkv");
    h.commandName = "-1";
    EXPECT_EQ(h.decide(channel), HandOver::Outcome::NoRunningInstance);
    EXPECT_TRUE(channel.probed.isEmpty());
    EXPECT_TRUE(channel.sent.isEmpty());
}

TEST(HandOver, NewPlayerSettingKeepsEveryStartSeparate)
{
    RecordingChannel channel;
    HandOver h = runningInstance("/tmp/a.mkv");
    h.useNewPlayer = true;
    EXPECT_EQ(h.decide(channel), HandOver::Outcome::NoRunningInstance);
    EXPECT_TRUE(channel.sent.isEmpty());
}

TEST(HandOver, SupportedFileGoesToCommandSocketWithMarker)
{
    RecordingChannel channel;
    const HandOver h = runningInstance("/tmp/a b.mkv *Add");
    EXPECT_EQ(h.decide(channel), HandOver::Outcome::EndProcess);
    EXPECT_EQ(channel.probed, QStringList{"/run/check"});
    EXPECT_EQ(channel.sent, QStringList{"/run/cmd|/tmp/a b.mkv *Add"});
}

TEST(HandOver, EveryCommandGoesOverForTheRunningPlayerToJudge)
{
    // Refusals are the running player's to report: a file of another type, a missing file and
    // several names all reach it.
    for (const char* text : {"/tmp/notes.txt", "/tmp/gone.mkv *Add",
                             "*Files file:///tmp/a.mkv file:///tmp/notes.txt *Add"}) {
        RecordingChannel channel;
        const HandOver h = runningInstance(text);
        EXPECT_EQ(h.decide(channel), HandOver::Outcome::EndProcess) << text;
        EXPECT_EQ(channel.sent, QStringList{QString("/run/cmd|") + text});
    }
}

TEST(HandOver, DeadInstanceMakesThisTheRunningOne)
{
    RecordingChannel channel;
    channel.alive = false;
    const HandOver h = runningInstance("/tmp/a.mkv");
    EXPECT_EQ(h.decide(channel), HandOver::Outcome::BecomeRunning);
    EXPECT_TRUE(channel.sent.isEmpty());
}

TEST(HandOver, FailedSendKeepsTheFileHere)
{
    RecordingChannel channel;
    channel.accepts = false;
    const HandOver h = runningInstance("/tmp/a.mkv");
    EXPECT_EQ(h.decide(channel), HandOver::Outcome::BecomeRunning);
}

TEST(HandOver, NoFileSaysHelloToCheckSocket)
{
    RecordingChannel channel;
    const HandOver h = runningInstance("");
    EXPECT_EQ(h.decide(channel), HandOver::Outcome::EndProcess);
    EXPECT_EQ(channel.sent, QStringList{"/run/check|Hello"});
    channel.accepts = false;
    channel.sent.clear();
    EXPECT_EQ(h.decide(channel), HandOver::Outcome::BecomeRunning);
}

TEST(HandOver, EmptyCheckNameCountsAsDead)
{
    RecordingChannel channel;
    HandOver h = runningInstance("/tmp/a.mkv");
    h.checkName.clear();
    channel.alive = false;
    EXPECT_EQ(h.decide(channel), HandOver::Outcome::BecomeRunning);
}

TEST(HandOver, ACommandTooLongForTheRunningPlayerEndsThisStartAndSaysWhy)
{
    const struct
    {
        const char* name;
        qsizetype pathBytes;
        bool sent;
    } cases[] = {
        {"at the limit", HandOver::kMaxMessageBytes, true},
        {"one byte over", HandOver::kMaxMessageBytes + 1, false},
        {"far over", 4 * HandOver::kMaxMessageBytes, false},
    };
    for (const auto& c : cases) {
        const QString path = "/" + QString(c.pathBytes - 5, u'a') + ".mkv";
        RecordingChannel channel;
        // The real player drops a message over the limit, so the send would fail.
        channel.accepts = path.toUtf8().size() <= HandOver::kMaxMessageBytes;
        QString message;
        EXPECT_EQ(runningInstance(path).decide(channel, &message), HandOver::Outcome::EndProcess)
            << c.name;
        EXPECT_EQ(channel.sent.size(), c.sent ? 1 : 0) << c.name;
        EXPECT_EQ(message.contains("too long"), !c.sent) << c.name << message.toStdString();
    }
}
