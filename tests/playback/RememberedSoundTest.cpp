#include "playback/RememberedSound.h"

#include "system/FakeUserStore.h"

#include <gtest/gtest.h>

using Level = RememberedSound::Level;

TEST(RememberedSound, ReadsWhatItWroteAndNothingElse)
{
    // Volume and mute as stored (nullptr: no value), and what a run starts with.
    const std::tuple<const char*, const char*, Level> cases[] = {
        {nullptr, nullptr, {100, false}}, // an older store
        {"35", "1", {35, true}},          {" 0 ", "0", {0, false}},
        {"101", "0", {100, false}},       {"-5", "yes", {100, false}},
        {"50.5", "1", {100, true}},       {"\u0664\u0660", "1", {100, true}}};
    for (const auto& [volume, mute, expected] : cases) {
        FakeUserStore store;
        if (volume) {
            store.writeString(RememberedSound::Key, RememberedSound::VolumeValue, volume);
        }
        if (mute) {
            store.writeString(RememberedSound::Key, RememberedSound::MuteValue, mute);
        }
        EXPECT_EQ(RememberedSound::load(store), expected) << (volume ? volume : "none");
    }
}

TEST(RememberedSound, SavesBothInOneWrite)
{
    FakeUserStore store;
    ASSERT_TRUE(RememberedSound::save(store, {27, true}));
    EXPECT_EQ(store.batches, 1);
    EXPECT_EQ(RememberedSound::load(store), (Level{27, true}));
    RememberedSound::save(store, {250, false}); // off the scale: its nearest end
    EXPECT_EQ(RememberedSound::load(store), (Level{100, false}));
}
