#include "mediainfo/AviDelayReader.h"

#include "mediainfo/RiffBuilder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvane::test;

namespace {

constexpr quint16 Mp3 = 0x55;
constexpr quint16 Mpeg = 0x50;
constexpr quint16 Ac3 = 0x2000;
constexpr quint16 Pcm = 1;

QByteArray videoStream()
{
    return streamHeader("vids") + riffChunk("strf", QByteArray(40, '\0'));
}

QByteArray audioStream(quint16 tag, quint32 avg, quint32 scale = 1, quint32 rate = 48000,
                       quint32 start = 0)
{
    return streamHeader("auds", scale, rate, start) + audioFormat(tag, avg);
}

QByteArray avi(const QList<QByteArray>& streams, const QByteArray& movi)
{
    return riffFile("AVI ", headerList(streams) + riffList("movi", movi));
}

class AviDelayTest : public ::testing::Test
{
protected:
    // Opens the bytes as a file; the result says whether the walk succeeded.
    bool open(const QByteArray& bytes)
    {
        const QString path = m_dir.path() + QStringLiteral("/f%1.avi").arg(m_count++);
        EXPECT_TRUE(writeBytes(path, bytes));
        return m_reader.open(path);
    }

    QTemporaryDir m_dir;
    int m_count = 0;
    AviDelayReader m_reader;
};

TEST_F(AviDelayTest, Mp3ChunkStartingWithFrameHasNoDelay)
{
    ASSERT_TRUE(open(avi({videoStream(), audioStream(Mp3, 16000)},
                         riffChunk("00dc", "frame") + riffChunk("01wb", audioData(400, 0)))));
    ASSERT_EQ(m_reader.streamCount(), 2);
    EXPECT_FALSE(m_reader.streamIsAudio(0));
    EXPECT_TRUE(m_reader.streamIsAudio(1));
    EXPECT_EQ(m_reader.StreamDelay(1), 0);
    EXPECT_EQ(m_reader.StreamDelay(0), -1);
    EXPECT_FALSE(m_reader.streamIsAudio(2));
    EXPECT_EQ(m_reader.StreamDelay(-1), -1);
}

TEST_F(AviDelayTest, Ac3SyncAtOffset100At48000BytesPerSecondIs2ms)
{
    ASSERT_TRUE(open(avi({audioStream(Ac3, 48000)}, riffChunk("00wb", audioData(600, 100, true)))));
    EXPECT_EQ(m_reader.StreamDelay(0), 2);
    EXPECT_EQ(m_reader.streams()[0].format.nAvgBytesPerSec, 48000u);
}

TEST_F(AviDelayTest, FrameSearchRulesPerFormat)
{
    // The AC-3 pair means nothing to MPEG audio, and the other way round.
    ASSERT_TRUE(open(avi({audioStream(Mpeg, 1000), audioStream(Ac3, 1000)},
                         riffChunk("00wb", audioData(50, 20, true) + audioData(50, 10)) +
                             riffChunk("01wb", audioData(50, 30) + audioData(50, 5, true)))));
    EXPECT_EQ(m_reader.StreamDelay(0), 60);
    EXPECT_EQ(m_reader.StreamDelay(1), 55);

    // An MPEG frame start needs both low bits of the following byte; the last byte alone is none.
    QByteArray near = audioData(10, std::nullopt);
    near[2] = '\xFF';
    near[3] = '\xFE';
    near[9] = '\xFF';
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000)}, riffChunk("00wb", near))));
    EXPECT_EQ(m_reader.StreamDelay(0), -1);
    EXPECT_EQ(m_reader.streams()[0].bytesBeforeSync, 10);
}

TEST_F(AviDelayTest, PcmAndOtherFormatsTakeTheStartOffset)
{
    ASSERT_TRUE(open(
        avi({audioStream(Pcm, 192000), audioStream(Pcm, 192000, 1, 25, 10),
             audioStream(0x161, 1, 1, 3, 1)},
            riffChunk("00wb", "pcm!") + riffChunk("01wb", "pcm!") + riffChunk("02wb", "wma!"))));
    EXPECT_EQ(m_reader.StreamDelay(0), 0);
    EXPECT_EQ(m_reader.StreamDelay(1), 400);
    EXPECT_EQ(m_reader.StreamDelay(2), 333);
    // An empty first chunk of an MPEG stream also just takes the start offset.
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000, 1, 4, 1)}, riffChunk("00wb", ""))));
    EXPECT_EQ(m_reader.StreamDelay(0), 250);
}

TEST_F(AviDelayTest, DelayAddsStartOffsetAndRoundsHalvesToEven)
{
    // 333.33 + 24 = 357.33
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000, 1, 3, 1)}, riffChunk("00wb", audioData(64, 24)))));
    EXPECT_EQ(m_reader.StreamDelay(0), 357);
    // 5 / 2000 s = 2.5 ms, 7 / 2000 s = 3.5 ms
    ASSERT_TRUE(
        open(avi({audioStream(Mp3, 2000), audioStream(Mp3, 2000)},
                 riffChunk("00wb", audioData(64, 5)) + riffChunk("01wb", audioData(64, 7)))));
    EXPECT_EQ(m_reader.StreamDelay(0), 2);
    EXPECT_EQ(m_reader.StreamDelay(1), 4);
}

TEST_F(AviDelayTest, SearchGoesOnAcrossChunksUntilFoundThenStops)
{
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000)}, riffChunk("00wb", audioData(500, std::nullopt)) +
                                                       riffChunk("00dc", "v") +
                                                       riffChunk("00wb", audioData(100, 10)) +
                                                       riffChunk("00wb", audioData(100, 0)))));
    EXPECT_EQ(m_reader.StreamDelay(0), 510);
    EXPECT_EQ(m_reader.streams()[0].bytesBeforeSync, 610) << "later chunks are not examined";
}

TEST_F(AviDelayTest, NoFrameStartWithinSearchLimitGivesMinusTwo)
{
    const QByteArray quiet = riffChunk("00wb", audioData(500000, std::nullopt));
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000)}, quiet + quiet + quiet)));
    EXPECT_EQ(m_reader.StreamDelay(0), -1) << "exactly 1,500,000 bytes is not past the limit";
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000)}, quiet + quiet + quiet + quiet)));
    EXPECT_EQ(m_reader.StreamDelay(0), -2);

    // A frame start found in a chunk that carries the total past the limit still gives -2.
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000)}, riffChunk("00wb", audioData(1500002, 0)))));
    EXPECT_EQ(m_reader.StreamDelay(0), -2);
}

TEST_F(AviDelayTest, JumpsOverFillerVideoIndexAndOddPadding)
{
    // Each of these holds bytes that would read as an audio chunk if the walker looked inside.
    const QByteArray decoy = riffChunk("00wb", audioData(20, 4));
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000)},
                         riffChunk("JUNK", decoy) + riffChunk("00dc", decoy) +
                             riffList("idx1", decoy) + riffChunk("JUNK", "odd") + // pad follows
                             riffChunk("00wb", audioData(20, 8)))));
    EXPECT_EQ(m_reader.StreamDelay(0), 8);
}

TEST_F(AviDelayTest, AudioWithoutStreamHeaderAndEarlyFormatAreIgnored)
{
    ASSERT_TRUE(
        open(riffFile("AVI ", audioFormat(Mp3, 0) + headerList({audioStream(Mp3, 1000)}) +
                                  riffList("movi", riffChunk("07wb", audioData(20, 0)) +
                                                       riffChunk("00wb", audioData(20, 3))))));
    ASSERT_EQ(m_reader.streamCount(), 1);
    EXPECT_EQ(m_reader.StreamDelay(0), 3);
}

TEST_F(AviDelayTest, FormatOfNonAudioStreamIsNotRead)
{
    // The video stream's format bytes look like an MPEG audio format with a byte rate of 1000.
    ASSERT_TRUE(open(avi({streamHeader("vids") + audioFormat(Mp3, 1000)},
                         riffChunk("00wb", audioData(50, 10)))));
    EXPECT_EQ(m_reader.streams()[0].format.wFormatTag, 0);
    EXPECT_EQ(m_reader.StreamDelay(0), 0);
}

TEST_F(AviDelayTest, StreamWithoutDataKeepsMinusOne)
{
    ASSERT_TRUE(open(avi({videoStream(), audioStream(Mp3, 1000)}, riffChunk("00dc", "v"))));
    EXPECT_EQ(m_reader.StreamDelay(1), -1);
}

TEST_F(AviDelayTest, RefusesWhatIsNotAnAviWalk)
{
    EXPECT_FALSE(open(riffFile("WAVE", riffChunk("fmt ", "x"))));
    EXPECT_FALSE(open("not a riff file"));
    EXPECT_FALSE(m_reader.open(m_dir.path() + "/missing.avi"));

    // Malformed items end the walk with no delays taken over.
    const QList<QByteArray> bad{
        riffChunk("x1wb", audioData(20, 0)),
        riffChunk("00wb", audioData(20, 0)) + riffChunk("JUNK", "", 0x80000000),
        riffList("idx1", "", 0),
    };
    for (const QByteArray& movi : bad) {
        EXPECT_FALSE(open(avi({audioStream(Mp3, 1000)}, movi))) << movi.toHex().constData();
        EXPECT_EQ(m_reader.streamCount(), 0);
    }
    // A frame start with a byte rate of zero cannot be turned into time.
    EXPECT_FALSE(open(avi({audioStream(Mp3, 0)}, riffChunk("00wb", audioData(20, 2)))));
    // A frame start at the very first byte needs no rate (MP3 in AVI is written with rate 0).
    EXPECT_TRUE(open(avi({audioStream(Mp3, 0, 1, 4, 1)}, riffChunk("00wb", audioData(20, 0)))));
    EXPECT_EQ(m_reader.StreamDelay(0), 250);
    // Without a frame start the rate is never used.
    EXPECT_TRUE(open(avi({audioStream(Mp3, 0)}, riffChunk("00wb", audioData(20, std::nullopt)))));
    // A start offset that does not fit the delay field.
    EXPECT_FALSE(
        open(avi({audioStream(Pcm, 1, 0xFFFFFFFF, 1, 0xFFFFFFFF)}, riffChunk("00wb", "x"))));
}

TEST_F(AviDelayTest, ZeroRateCountsAsOne)
{
    ASSERT_TRUE(open(avi({audioStream(Pcm, 1, 1, 0, 2)}, riffChunk("00wb", "x"))));
    EXPECT_EQ(m_reader.streams()[0].header.dwRate, 1u);
    EXPECT_EQ(m_reader.StreamDelay(0), 2000);
}

TEST_F(AviDelayTest, WalkStopsAfterFirstItemPastTheLimit)
{
    const QByteArray body = headerList({audioStream(Pcm, 1), audioStream(Pcm, 1)});
    // Filler that ends just past the limit: the item after it is still handled, then the walk
    // stops.
    const qsizetype fill = AviDelayReader::WalkLimit + 100 - body.size();
    ASSERT_TRUE(open(riffFile("AVI ", body + riffChunk("JUNK", QByteArray(fill, '\0')) +
                                          riffChunk("00wb", "a") + riffChunk("01wb", "b"))));
    EXPECT_EQ(m_reader.StreamDelay(0), 0);
    EXPECT_EQ(m_reader.StreamDelay(1), -1);
}

TEST_F(AviDelayTest, ChunkClaimingMoreThanTheFileHolds)
{
    ASSERT_TRUE(open(avi({audioStream(Mp3, 1000), audioStream(Ac3, 1000)},
                         riffChunk("00wb", audioData(20, std::nullopt)) +
                             riffChunk("01wb", audioData(100, 10, true), 0x7FFFFFF0))));
    EXPECT_EQ(m_reader.StreamDelay(0), -1);
    EXPECT_EQ(m_reader.StreamDelay(1), -2) << "the claimed size passes the search limit";
}

} // namespace
