#include "system/MprisPlayerAdaptor.h"

#include "system/MprisPlayer.h"

#include <QObject>
#include <QSignalSpy>
#include <gtest/gtest.h>
#include <limits>
#include <optional>

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();
constexpr qint64 kMin = std::numeric_limits<qint64>::min();

// A player 30 s into a 60 s track, recording what it is asked.
class RecordingPlayer : public MprisPlayer
{
public:
    void raise() override {}
    void quit() override {}
    void playPause() override {}
    void play() override {}
    void pause() override {}
    void stop() override {}
    void next() override { ++nexts; }
    void previous() override {}
    bool seekTo(qint64 positionUs) override
    {
        seeks.append(positionUs);
        return true;
    }
    void openUri(const QString& uri) override { opened.append(uri); }
    void setVolume(double volume) override { volumes.append(volume); }

    QString playbackStatus() const override { return QStringLiteral("Playing"); }
    Track track() const override { return {"/t/1", "t", "file:///t", lengthUs, {}}; }
    double volume() const override { return 0.5; }
    qint64 positionUs() const override { return 30000000; }
    bool canGoNext() const override { return true; }
    bool canGoPrevious() const override { return true; }
    bool canPlay() const override { return true; }
    bool canPause() const override { return true; }
    bool canSeek() const override { return true; }

    qint64 lengthUs = 60000000;
    QList<qint64> seeks;
    QStringList opened;
    QList<double> volumes;
    int nexts = 0;
};

struct SeekCase
{
    const char* name;
    qint64 offset;
    qint64 lengthUs;
    std::optional<qint64> seekedTo; // none: no seek
    int nexts;
};

const SeekCase kSeeks[] = {
    {"Forward", 5000000, 60000000, 35000000, 0},
    {"BackPastTheStartIsTheStart", -40000000, 60000000, 0, 0},
    {"PastTheEndIsTheNextTrack", 40000000, 60000000, std::nullopt, 1},
    {"LargestOffsetIsTheNextTrackNotARestart", kMax, 60000000, std::nullopt, 1},
    {"SmallestOffsetIsTheStart", kMin, 60000000, 0, 0},
    {"LargestOffsetWithoutALengthGoesToTheEnd", kMax, 0, kMax, 0},
};

class MprisSeek : public testing::TestWithParam<SeekCase>
{};

} // namespace

TEST_P(MprisSeek, Saturates)
{
    const SeekCase& c = GetParam();
    QObject owner;
    RecordingPlayer player;
    player.lengthUs = c.lengthUs;
    auto* adaptor = new MprisPlayerAdaptor(&owner, player);
    adaptor->Seek(c.offset);
    if (c.seekedTo) {
        ASSERT_EQ(player.seeks.size(), 1);
        EXPECT_EQ(player.seeks[0], *c.seekedTo);
    } else {
        EXPECT_TRUE(player.seeks.isEmpty());
    }
    EXPECT_EQ(player.nexts, c.nexts);
}

INSTANTIATE_TEST_SUITE_P(Seeks, MprisSeek, testing::ValuesIn(kSeeks),
                         [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(MprisPlayerAdaptor, VolumeOutsideTheRangeIsClampedAndNaNIgnored)
{
    QObject owner;
    RecordingPlayer player;
    auto* adaptor = new MprisPlayerAdaptor(&owner, player);
    adaptor->setVolume(std::numeric_limits<double>::quiet_NaN());
    adaptor->setVolume(-std::numeric_limits<double>::quiet_NaN());
    adaptor->setVolume(std::numeric_limits<double>::infinity());
    adaptor->setVolume(-3.0);
    adaptor->setVolume(0.25);
    EXPECT_EQ(player.volumes, (QList<double>{1.0, 0.0, 0.25}));
}

TEST(MprisPlayerAdaptor, OverLongUriIsRefusedBeforeThePlayerSeesIt)
{
    QObject owner;
    RecordingPlayer player;
    auto* adaptor = new MprisPlayerAdaptor(&owner, player);
    const QString scheme = QStringLiteral("file://");
    // The longest path, every byte percent-encoded: still taken.
    const QString longest = scheme + QString("/%41").repeated(4096 / 2);
    const QString tooLong = scheme + QString(MprisPlayerAdaptor::kMaxUriLength, u'a');
    adaptor->OpenUri(longest);
    adaptor->OpenUri(tooLong);
    adaptor->OpenUri(QString(100 * 1000 * 1000, u'a'));
    ASSERT_EQ(player.opened.size(), 1);
    EXPECT_EQ(player.opened[0], longest);
}
