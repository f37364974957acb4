#include "startup/StartDecision.h"

#include "instance/InstanceChannel.h"
#include "instance/InstanceKeys.h"
#include "system/FakeUserStore.h"

#include <gtest/gtest.h>

namespace {

struct AnsweringChannel : InstanceChannel
{
    bool isAlive(const QString& name) override { return name == "/run/check"; }
    bool send(const QString& name, const QString& text) override
    {
        sent << name + "|" + text;
        return true;
    }
    QStringList sent;
};

} // namespace

// Both starts ask here: the running player is the one the store names.
TEST(StartDecision, HandsOverToThePlayerTheStoreNames)
{
    const std::tuple<bool, bool, QStringList> cases[] = {
        {true, false, {"/run/cmd|/m/a.mkv"}}, {false, false, {}}, {true, true, {}}};
    for (const auto& [stored, useNewPlayer, sent] : cases) {
        FakeUserStore store;
        if (stored) {
            store.writeString(InstanceKeys::kSettingKey, InstanceKeys::kCommandValue, "/run/cmd");
            store.writeString(InstanceKeys::kSettingKey, InstanceKeys::kCheckValue, "/run/check");
        }
        AnsweringChannel channel;
        EXPECT_EQ(StartDecision::handsOver(store, useNewPlayer, "/m/a.mkv", channel),
                  !sent.isEmpty());
        EXPECT_EQ(channel.sent, sent) << stored << useNewPlayer;
    }
}
