#include "playback/PlaySequence.h"

#include "playback/PlaybackPrinters.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <vector>

namespace {

// Hands out the given numbers in order and counts how many were asked for.
struct ScriptedRandom
{
    std::vector<double> values;
    std::size_t calls = 0;

    PlaySequence::RandomSource source()
    {
        return [this]() {
            const double value = calls < values.size() ? values[calls] : 0.0;
            ++calls;
            return value;
        };
    }
};

std::vector<int> ordered(int n)
{
    std::vector<int> result;
    for (int i = 0; i < n; ++i)
        result.push_back(i);
    return result;
}

} // namespace

TEST(PlaySequenceBuild, OrderedHoldsEachIndexAndTakesTheSelectionAsPosition)
{
    PlaySequence sequence;
    sequence.buildOrdered(4, 2);
    EXPECT_EQ(sequence.entries(), ordered(4));
    EXPECT_EQ(sequence.lines(), QStringList({"0", "1", "2", "3"}));
    EXPECT_EQ(sequence.position(), 2);

    sequence.buildOrdered(3, -1);
    EXPECT_EQ(sequence.position(), -1);
    sequence.buildOrdered(0, -1);
    EXPECT_TRUE(sequence.isEmpty());
    EXPECT_EQ(sequence.position(), -1);
}

TEST(PlaySequenceBuild, ShuffledDrawRoundsHalvesToEvenAndRedrawsTakenSlots)
{
    // Five entries: slot = round-half-even(r * 4).
    ScriptedRandom random{{0.375,                     // 1.5 -> 2
                           0.625, 0.125,              // 2.5 -> 2 taken; 0.5 -> 0
                           0.875,                     // 3.5 -> 4
                           0.125, 0.375, 0.875, 0.25, // 0, 2, 4 taken; 1
                           0.75}};                    // 3
    PlaySequence sequence;
    sequence.buildShuffled(5, 3, random.source());
    EXPECT_EQ(sequence.entries(), (std::vector<int>{1, 3, 0, 4, 2}));
    EXPECT_EQ(random.calls, 9u);
    // The position is where the selected entry stands, not its playlist index.
    EXPECT_EQ(sequence.position(), 1);
    EXPECT_EQ(sequence.entryAt(sequence.position()), 3);
}

TEST(PlaySequenceBuild, PositionIsWhereTheSelectedEntryStands)
{
    struct Case
    {
        int count;
        int selected;
    };
    for (const Case c : {Case{5, 0}, Case{5, 4}, Case{7, 3}, Case{2, 1}, Case{4, -1}}) {
        for (std::uint64_t seed = 0; seed < 20; ++seed) {
            std::mt19937_64 engine(seed);
            PlaySequence sequence;
            sequence.buildShuffled(c.count, c.selected, [&engine] {
                return std::uniform_real_distribution<double>(0.0, 1.0)(engine);
            });
            const int expected = c.selected < 0 ? -1 : c.selected;
            EXPECT_EQ(sequence.entryAt(sequence.position()), expected)
                << "count " << c.count << " selected " << c.selected << " seed " << seed;
            EXPECT_EQ(sequence.positionOf(c.selected), sequence.position());
        }
    }
}

TEST(PlaySequenceBuild, ShuffleWithOneEntryIsZero)
{
    ScriptedRandom random{{0.99}};
    PlaySequence sequence;
    sequence.buildShuffled(1, 0, random.source());
    EXPECT_EQ(sequence.lines(), QStringList({"0"}));
    EXPECT_EQ(sequence.position(), 0);

    sequence.buildShuffled(0, -1, random.source());
    EXPECT_TRUE(sequence.isEmpty());
}

TEST(PlaySequenceBuild, ShuffleSurvivesASourceOutsideItsRangeOrStuckOnOneValue)
{
    ScriptedRandom outOfRange{{1.0, -3.0, std::numeric_limits<double>::quiet_NaN()}};
    PlaySequence sequence;
    sequence.buildShuffled(3, 0, outOfRange.source());
    EXPECT_EQ(sequence.entries(), (std::vector<int>{1, 2, 0}));

    // Always the same slot: the build still ends with a permutation.
    PlaySequence stuck;
    stuck.buildShuffled(3, 0, [] { return 0.0; });
    EXPECT_EQ(stuck.entries(), ordered(3));
}

TEST(PlaySequenceBuild, TheGeneratorGivesAPermutation)
{
    for (std::uint64_t seed = 0; seed < 5; ++seed) {
        PlaySequence sequence;
        sequence.buildShuffled(50, 7, PlaySequence::seededRandomSource(seed));
        std::vector<int> sorted = sequence.entries();
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, ordered(50)) << "seed " << seed;
    }
}

TEST(PlaySequenceBuild, BuildFollowsThePlayMode)
{
    ScriptedRandom random{{0.0, 0.0, 1.0 / 2, 0.0, 0.9}};
    PlaySequence sequence;
    sequence.build(PlayMode::Continuous, 3, 1, random.source());
    EXPECT_EQ(sequence.entries(), ordered(3));
    EXPECT_EQ(random.calls, 0u);
    sequence.build(PlayMode::Shuffle, 3, 1, random.source());
    EXPECT_GT(random.calls, 0u);
}

TEST(PlaySequenceEdit, RemoveKeepsOtherNumbersAndFollowsTheCurrentLine)
{
    PlaySequence sequence;
    sequence.buildOrdered(5, 3);
    sequence.removeAt(1);
    EXPECT_EQ(sequence.entries(), (std::vector<int>{0, 2, 3, 4}));
    EXPECT_EQ(sequence.position(), 2);
    EXPECT_EQ(sequence.entryAt(2), 3);

    sequence.removeAt(3);
    EXPECT_EQ(sequence.position(), 2);
    sequence.removeAt(2);
    EXPECT_EQ(sequence.entries(), (std::vector<int>{0, 2}));
    EXPECT_EQ(sequence.position(), -1);

    sequence.removeAt(5);
    sequence.removeAt(-1);
    EXPECT_EQ(sequence.count(), 2);
}

TEST(PlaySequenceEdit, PositionOutsideTheListIsRefused)
{
    PlaySequence sequence;
    sequence.buildOrdered(3, 1);
    sequence.setPosition(3);
    EXPECT_EQ(sequence.position(), 1);
    sequence.setPosition(-2);
    EXPECT_EQ(sequence.position(), 1);
    sequence.setPosition(-1);
    EXPECT_EQ(sequence.position(), -1);
    EXPECT_EQ(sequence.entryAt(3), -1);
    EXPECT_EQ(sequence.entryAt(-1), -1);
}

TEST(PlaySequenceStep, NextAndPreviousWrapBothWays)
{
    PlaySequence sequence;
    sequence.buildOrdered(3, 2);
    EXPECT_EQ(sequence.nextPosition(), 0);
    EXPECT_EQ(sequence.previousPosition(), 1);
    sequence.setPosition(0);
    EXPECT_EQ(sequence.previousPosition(), 2);
    EXPECT_EQ(sequence.nextPosition(), 1);

    sequence.setPosition(-1);
    EXPECT_EQ(sequence.nextPosition(), 0);
    EXPECT_EQ(sequence.previousPosition(), 2);

    sequence.buildOrdered(1, 0);
    EXPECT_EQ(sequence.nextPosition(), 0);
    EXPECT_EQ(sequence.previousPosition(), 0);

    sequence.clear();
    EXPECT_EQ(sequence.nextPosition(), std::nullopt);
    EXPECT_EQ(sequence.previousPosition(), std::nullopt);
}

TEST(PlaySequenceStep, NextGoesOnFromWhereTheSelectedEntryStands)
{
    PlaySequence sequence;
    sequence.buildShuffled(3, 0, [] { return 0.9; }); // 1.8 -> 2, then 2 taken forever
    ASSERT_EQ(sequence.entries(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(sequence.position(), 2);
    EXPECT_EQ(sequence.nextPosition(), 0);
    EXPECT_EQ(sequence.entryAt(*sequence.nextPosition()), 1);
}

namespace {

struct EndCase
{
    PlayMode play;
    RepeatMode repeat;
    int position;
    ItemEndDecision expected;
};

void PrintTo(const EndCase& c, std::ostream* out)
{
    *out << nameOf(c.play) << ", " << nameOf(c.repeat) << ", at " << c.position << " -> ";
    ::PrintTo(c.expected, out);
}

std::string endCaseName(const ::testing::TestParamInfo<EndCase>& param)
{
    const EndCase& c = param.param;
    return nameOf(c.play) + '_' + nameOf(c.repeat) + "_at" +
           (c.position < 0 ? std::string("None") : std::to_string(c.position));
}

class ItemEndTest : public ::testing::TestWithParam<EndCase>
{};

} // namespace

TEST_P(ItemEndTest, ContinuesByPlayAndRepeatMode)
{
    const EndCase& c = GetParam();
    PlaySequence sequence;
    ScriptedRandom random{{0.6, 0.0, 0.99, 0.3}}; // slots 2, 0, 3, 1
    sequence.buildShuffled(4, -1, random.source());
    ASSERT_EQ(sequence.entries(), (std::vector<int>{1, 3, 0, 2}));
    sequence.setPosition(c.position);
    EXPECT_EQ(sequence.afterItemEnd(c.play, c.repeat), c.expected);
    EXPECT_EQ(sequence.position(), c.position) << "the decision must not move the position";
}

using D = ItemEndDecision;
INSTANTIATE_TEST_SUITE_P(
    AllModes, ItemEndTest,
    ::testing::Values(
        // Single repeat replays in every play mode, at any position.
        EndCase{PlayMode::Normal, RepeatMode::SingleRepeat, 1, D::replay()},
        EndCase{PlayMode::Continuous, RepeatMode::SingleRepeat, 3, D::replay()},
        EndCase{PlayMode::Shuffle, RepeatMode::SingleRepeat, 3, D::replay()},
        // Normal stops whatever the repeat mode.
        EndCase{PlayMode::Normal, RepeatMode::NoRepeat, 1, D::stopAndFinish()},
        EndCase{PlayMode::Normal, RepeatMode::RepeatAll, 1, D::stopAndFinish()},
        EndCase{PlayMode::Normal, RepeatMode::RepeatAll, 3, D::stopAndFinish()},
        // Continuous and Shuffle play the entry stored at the next position.
        EndCase{PlayMode::Continuous, RepeatMode::NoRepeat, 1, D::playEntry(2, 0)},
        EndCase{PlayMode::Continuous, RepeatMode::RepeatAll, 0, D::playEntry(1, 3)},
        EndCase{PlayMode::Shuffle, RepeatMode::NoRepeat, 2, D::playEntry(3, 2)},
        EndCase{PlayMode::Shuffle, RepeatMode::RepeatAll, 1, D::playEntry(2, 0)},
        EndCase{PlayMode::Continuous, RepeatMode::NoRepeat, -1, D::playEntry(0, 1)},
        // On the last position: stop without repeat, wrap to 0 with Repeat all.
        EndCase{PlayMode::Continuous, RepeatMode::NoRepeat, 3, D::stopAndFinish()},
        EndCase{PlayMode::Shuffle, RepeatMode::NoRepeat, 3, D::stopAndFinish()},
        EndCase{PlayMode::Continuous, RepeatMode::RepeatAll, 3, D::playEntry(0, 1)},
        EndCase{PlayMode::Shuffle, RepeatMode::RepeatAll, 3, D::playEntry(0, 1)}),
    endCaseName);

TEST(PlaySequenceStep, ShuffleRepeatAllWrapsWithoutReshuffling)
{
    PlaySequence sequence;
    ScriptedRandom random{{0.9, 0.0, 0.5}}; // slots 2, 0, 1
    sequence.buildShuffled(3, 1, random.source());
    const auto order = sequence.entries();
    ASSERT_EQ(order, (std::vector<int>{1, 2, 0}));
    ASSERT_EQ(sequence.position(), 0);
    std::vector<int> played;
    for (int i = 0; i < 7; ++i) {
        const ItemEndDecision d = sequence.afterItemEnd(PlayMode::Shuffle, RepeatMode::RepeatAll);
        ASSERT_EQ(d.action, ItemEndDecision::Action::PlayEntry);
        sequence.setPosition(d.position);
        played.push_back(d.entry);
    }
    EXPECT_EQ(sequence.entries(), order);
    EXPECT_EQ(played, (std::vector<int>{order[1], order[2], order[0], order[1], order[2], order[0],
                                        order[1]}));
}

TEST(PlaySequenceStep, EmptiedSequenceStopsInsteadOfPlayingNothing)
{
    PlaySequence sequence;
    EXPECT_EQ(sequence.afterItemEnd(PlayMode::Continuous, RepeatMode::RepeatAll),
              ItemEndDecision::stopAndFinish());
    EXPECT_EQ(sequence.afterItemEnd(PlayMode::Continuous, RepeatMode::SingleRepeat),
              ItemEndDecision::replay());
}

TEST(PlaybackModes, UnknownStoredValuesStillPlay)
{
    EXPECT_EQ(playModeFromSetting(PlayMode::Normal), PlayMode::Normal);
    EXPECT_EQ(playModeFromSetting(PlayMode::Continuous), PlayMode::Continuous);
    EXPECT_EQ(playModeFromSetting(PlayMode::Shuffle), PlayMode::Shuffle);
    EXPECT_EQ(playModeFromSetting(static_cast<PlayMode>(7)), PlayMode::Continuous);
    EXPECT_EQ(repeatModeFromSetting(RepeatMode::NoRepeat), RepeatMode::NoRepeat);
    EXPECT_EQ(repeatModeFromSetting(RepeatMode::SingleRepeat), RepeatMode::SingleRepeat);
    EXPECT_EQ(repeatModeFromSetting(RepeatMode::RepeatAll), RepeatMode::RepeatAll);
    EXPECT_EQ(repeatModeFromSetting(static_cast<RepeatMode>(-4)), RepeatMode::RepeatAll);
}

TEST(PlaySequenceBuild, EntriesAddedWhileShufflingAllPlayOnceInTheRound)
{
    // Four entries, the first playing; three arrive one by one. Then one more arrives after two
    // have played. No repeat: the round ends when every entry has played exactly once.
    for (std::uint64_t seed = 0; seed < 5; ++seed) {
        SCOPED_TRACE(seed);
        PlaySequence sequence;
        const PlaySequence::RandomSource random = PlaySequence::seededRandomSource(seed);
        sequence.buildShuffled(4, 0, random);
        const int first = sequence.entryAt(sequence.position());
        std::vector<int> played{first};
        for (int count = 5; count <= 7; ++count) {
            sequence.extendShuffled(count, 0, random);
            EXPECT_EQ(sequence.entryAt(sequence.position()), first) << "what plays stays current";
        }
        for (int step = 0; step < 2; ++step) {
            const ItemEndDecision d =
                sequence.afterItemEnd(PlayMode::Shuffle, RepeatMode::NoRepeat);
            ASSERT_EQ(d.action, ItemEndDecision::Action::PlayEntry);
            sequence.setPosition(d.position);
            played.push_back(d.entry);
        }
        const std::vector<int> before(sequence.entries().begin(),
                                      sequence.entries().begin() + sequence.position() + 1);
        sequence.extendShuffled(8, 0, random);
        EXPECT_EQ(std::vector<int>(sequence.entries().begin(),
                                   sequence.entries().begin() + sequence.position() + 1),
                  before)
            << "what has played keeps its place";
        for (;;) {
            const ItemEndDecision d =
                sequence.afterItemEnd(PlayMode::Shuffle, RepeatMode::NoRepeat);
            if (d.action != ItemEndDecision::Action::PlayEntry)
                break;
            sequence.setPosition(d.position);
            played.push_back(d.entry);
        }
        std::vector<int> sorted = played;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, ordered(8)) << "each of the eight entries played once";
    }
}

// Entries arriving mid-round keep what has played this round: from where the round began, or
// from the top once a Repeat-all wrap has passed the end.
TEST(PlaySequenceBuild, ExtendingKeepsWhatPlayedSinceTheRoundBegan)
{
    struct Case
    {
        const char* name;
        int steps;
        std::vector<int> kept;
    };
    for (const Case& c : {Case{"first item of the round", 0, {2}}, Case{"two on", 2, {2, 3, 4}},
                          Case{"past a wrap to the top", 4, {0, 1}}}) {
        SCOPED_TRACE(c.name);
        PlaySequence sequence;
        sequence.buildShuffled(5, 2, [] { return 0.0; }); // 0 1 2 3 4, the round begins at 2
        for (int step = 0; step < c.steps; ++step)
            sequence.setPosition(*sequence.nextPosition());
        sequence.extendShuffled(6, 0, [] { return 0.0; });
        const std::vector<int>& entries = sequence.entries();
        ASSERT_EQ(entries.size(), 6u);
        EXPECT_EQ(std::vector<int>(entries.begin(), entries.begin() + c.kept.size()), c.kept);
        EXPECT_EQ(sequence.position(), static_cast<int>(c.kept.size()) - 1);
    }
}

TEST(PlaySequenceBuild, ExtendingWithNothingCurrentOrAForeignOrderShufflesAfresh)
{
    PlaySequence sequence;
    ScriptedRandom random{{0.9, 0.0, 0.5}}; // slots 2, 0, 1
    sequence.extendShuffled(3, 1, random.source());
    EXPECT_EQ(sequence.entries(), (std::vector<int>{1, 2, 0}));
    EXPECT_EQ(sequence.position(), 0);

    // An order that names entries the playlist no longer has cannot be kept.
    sequence.buildOrdered(5, 4);
    ScriptedRandom again{{0.9, 0.0, 0.5}};
    sequence.extendShuffled(3, 1, again.source());
    EXPECT_EQ(sequence.entries(), (std::vector<int>{1, 2, 0}));
}

TEST(PlaySequenceMove, AnOrderedSequenceTakesTheListsNewOrderAndKeepsItsEntry)
{
    PlaySequence sequence;
    sequence.buildOrdered(5, 1); // entry 1 plays
    sequence.entryMoved(1, 4, PlayMode::Normal);
    EXPECT_EQ(sequence.entries(), ordered(5));
    EXPECT_EQ(sequence.position(), 4);
    sequence.entryMoved(0, 4, PlayMode::Continuous); // one moved from above pushes it up
    EXPECT_EQ(sequence.position(), 3);
    sequence.entryMoved(2, 2, PlayMode::Normal); // no move at all
    EXPECT_EQ(sequence.position(), 3);
}

TEST(PlaySequenceMove, AShuffledOrderKeepsEachTurnUnderItsEntrysNewNumber)
{
    PlaySequence sequence;
    ScriptedRandom random{{0.0, 0.5, 0.75, 0.25}};
    sequence.buildShuffled(4, 2, random.source());
    std::vector<int> expected = sequence.entries();
    const int position = sequence.position();
    sequence.entryMoved(0, 3, PlayMode::Shuffle);
    for (int& entry : expected)
        entry = entry == 0 ? 3 : entry - 1;
    EXPECT_EQ(sequence.entries(), expected);
    EXPECT_EQ(sequence.position(), position);
    EXPECT_EQ(sequence.entryAt(position), 1); // entry 2 stands at 1 now
}
