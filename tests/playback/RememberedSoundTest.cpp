#include "playback/RememberedSound.h"

#include "system/FakeUserStore.h"

#include <gtest/gtest.h>

namespace {

struct StoredCase
{
    const char* name;
    const char* volume; // nullptr: no value stored
    const char* mute;
    RememberedSound::Level expected;
};

class RememberedSoundLoad : public ::testing::TestWithParam<StoredCase>
{};

} // namespace

TEST_P(RememberedSoundLoad, ReadsWhatItWroteAndNothingElse)
{
    const StoredCase& c = GetParam();
    FakeUserStore store;
    if (c.volume) {
        store.writeString(RememberedSound::Key, RememberedSound::VolumeValue, c.volume);
    }
    if (c.mute) {
        store.writeString(RememberedSound::Key, RememberedSound::MuteValue, c.mute);
    }
    EXPECT_EQ(RememberedSound::load(store), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RememberedSoundLoad,
    ::testing::Values(StoredCase{"olderStore", nullptr, nullptr, {100, false}},
                      StoredCase{"quietAndMuted", "35", "1", {35, true}},
                      StoredCase{"silent", "0", "0", {0, false}},
                      StoredCase{"full", "100", nullptr, {100, false}},
                      StoredCase{"blanksAround", " 40 ", "0", {40, false}},
                      StoredCase{"aboveFull", "101", "0", {100, false}},
                      StoredCase{"negative", "-5", "0", {100, false}},
                      StoredCase{"notANumber", "loud", "yes", {100, false}},
                      StoredCase{"arabicIndicDigits", "\u0664\u0660", "1", {100, true}},
                      StoredCase{"fraction", "50.5", "1", {100, true}}),
    [](const ::testing::TestParamInfo<StoredCase>& param) { return param.param.name; });

TEST(RememberedSound, SavesBothValuesInOneWriteAndReadsThemBack)
{
    FakeUserStore store;
    ASSERT_TRUE(RememberedSound::save(store, {27, true}));
    EXPECT_EQ(store.batches, 1);
    EXPECT_EQ(RememberedSound::load(store), (RememberedSound::Level{27, true}));
    // A volume outside the slider's scale is stored as its nearest end.
    RememberedSound::save(store, {250, false});
    EXPECT_EQ(RememberedSound::load(store), (RememberedSound::Level{100, false}));
    store.failWrites = true;
    EXPECT_FALSE(RememberedSound::save(store, {10, false}));
}
