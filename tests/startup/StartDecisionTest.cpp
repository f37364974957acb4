#include "startup/StartDecision.h"

#include "instance/InstanceChannel.h"
#include "instance/InstanceKeys.h"
#include "system/FakeUserStore.h"

#include <gtest/gtest.h>

namespace {

class AnsweringChannel : public InstanceChannel
{
public:
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
    const struct
    {
        bool stored;
        bool useNewPlayer;
        bool handsOver;
        QStringList sent;
    } cases[] = {
        {true, false, true, {"/run/cmd|/m/a.mkv"}},
        {false, false, false, {}},
        {true, true, false, {}},
    };
    for (const auto& c : cases) {
        FakeUserStore store;
        if (c.stored) {
            store.writeString(InstanceKeys::kSettingKey, InstanceKeys::kCommandValue, "/run/cmd");
            store.writeString(InstanceKeys::kSettingKey, InstanceKeys::kCheckValue, "/run/check");
        }
        AnsweringChannel channel;
        EXPECT_EQ(StartDecision::handsOver(store, c.useNewPlayer, "/m/a.mkv", channel), c.handsOver)
            << c.stored << c.useNewPlayer;
        EXPECT_EQ(channel.sent, c.sent);
    }
}
