#include "mediainfo/AviDelayReader.h"
#include "mediainfo/RiffBuilder.h"
#include "util/PosixProcessRunner.h"
#include "util/RunnerError.h"

#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

using namespace korvane::test;

namespace {

QByteArray sampleAvi()
{
    const QByteArray streams =
        headerList({streamHeader("vids") + riffChunk("strf", QByteArray(40, '\0')),
                    streamHeader("auds", 1, 48000) + audioFormat(0x55, 16000),
                    streamHeader("auds", 1, 48000, 3) + audioFormat(0x2000, 48000)});
    QByteArray movi;
    for (int i = 0; i < 6; ++i) {
        movi += riffChunk("00dc", QByteArray(37 + i, 'v'));
        movi +=
            riffChunk("01wb", audioData(64, i == 2 ? std::optional<qsizetype>(9) : std::nullopt));
        movi += riffChunk("02wb",
                          audioData(51, i == 1 ? std::optional<qsizetype>(3) : std::nullopt, true));
    }
    return riffFile("AVI ", streams + riffList("movi", movi) + riffChunk("idx1", "index"));
}

void expectSane(const AviDelayReader& reader)
{
    for (const AviDelayReader::StreamEntry& entry : reader.streams()) {
        EXPECT_GE(entry.delay, -2);
        EXPECT_GE(entry.bytesBeforeSync, 0);
        EXPECT_NE(entry.header.dwRate, 0u);
    }
}

TEST(AviDelayInput, SampleIsReadAsBuilt)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/s.avi");
    ASSERT_TRUE(writeBytes(path, sampleAvi()));
    AviDelayReader reader;
    ASSERT_TRUE(reader.open(path));
    ASSERT_EQ(reader.streamCount(), 3);
    // Two 64-byte chunks without one, then a frame start at 9: 137 bytes at 16000 bytes/s.
    EXPECT_EQ(reader.StreamDelay(1), 9);
    // 3 frames at 48000/s is 0.0625 ms; a padded 52-byte chunk plus 3 bytes at 48000 bytes/s is
    // 1.15 ms -> 1.
    EXPECT_EQ(reader.StreamDelay(2), 1);
}

TEST(AviDelayInput, EveryTruncationIsHandled)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/t.avi");
    const QByteArray whole = sampleAvi();
    AviDelayReader reader;
    for (qsizetype length = 0; length <= whole.size(); ++length) {
        ASSERT_TRUE(writeBytes(path, whole.left(length)));
        const bool opened = reader.open(path);
        EXPECT_EQ(opened, length >= 12) << length;
        expectSane(reader);
    }
}

// Thousands of random and mutated files: the reader must neither crash, nor hang, nor allocate
// what a size field claims (the sanitizer build watches the first two).
TEST(AviDelayInput, SeededRandomAndMutatedFiles)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/r.avi");
    const QByteArray base = sampleAvi();
    std::mt19937 random(20240611);
    auto pick = [&](quint32 limit) {
        return std::uniform_int_distribution<quint32>(0, limit)(random);
    };
    const quint32 sizes[] = {0,          1,          3,          4,       0x7FFFFFFE, 0x7FFFFFFF,
                             0x80000000, 0xFFFFFFFF, 0xFFFFFFFC, 1500000, 2500000};
    AviDelayReader reader;
    int opened = 0;
    for (int round = 0; round < 4000; ++round) {
        QByteArray data;
        if (round % 4 == 0) {
            data = riffFile("AVI ", QByteArray());
            const quint32 extra = pick(300);
            for (quint32 i = 0; i < extra; ++i) {
                data += char(pick(255));
            }
        } else {
            data = base;
            const quint32 edits = 1 + pick(6);
            for (quint32 i = 0; i < edits; ++i) {
                const auto at = qsizetype(12 + pick(quint32(data.size() - 16)));
                switch (pick(3)) {
                case 0:
                    data[at] = char(pick(255));
                    break;
                case 1: {
                    const QByteArray size = le32(sizes[pick(std::size(sizes) - 1)]);
                    data.replace(at, 4, size);
                    break;
                }
                case 2:
                    data.truncate(at);
                    break;
                default:
                    data.insert(at, QByteArray(qsizetype(pick(9)), char(pick(255))));
                    break;
                }
                if (data.size() < 20) {
                    break;
                }
            }
        }
        ASSERT_TRUE(writeBytes(path, data));
        opened += reader.open(path) ? 1 : 0;
        expectSane(reader);
    }
    // The mutations are mild enough that many files still walk to the end.
    EXPECT_GT(opened, 500);
}

class FfmpegAviTest : public ::testing::Test
{
protected:
    // Makes a one-second AVI with the given audio encoder; empty when ffmpeg cannot.
    QString make(const QString& audioCodec)
    {
        const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
        if (ffmpeg.isEmpty()) {
            return QString();
        }
        const QString out = m_dir.path() + QStringLiteral("/x-%1.avi").arg(audioCodec);
        korvane::PosixProcessRunner runner;
        try {
            runner.runPipedCommand(
                {ffmpeg, QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-f"),
                 QStringLiteral("lavfi"), QStringLiteral("-i"), QStringLiteral("testsrc=d=1"),
                 QStringLiteral("-f"), QStringLiteral("lavfi"), QStringLiteral("-i"),
                 QStringLiteral("sine=d=1"), QStringLiteral("-c:v"), QStringLiteral("mpeg4"),
                 QStringLiteral("-c:a"), audioCodec, QStringLiteral("-y"), out},
                m_dir.path() + QStringLiteral("/log.txt"));
        } catch (const korvane::RunnerError&) {
            return QString();
        }
        return QFileInfo::exists(out) ? out : QString();
    }

    QTemporaryDir m_dir;
};

TEST_F(FfmpegAviTest, PcmStreamHasNoDelay)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty()) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    const QString file = make(QStringLiteral("pcm_s16le"));
    ASSERT_FALSE(file.isEmpty());
    AviDelayReader reader;
    ASSERT_TRUE(reader.open(file));
    ASSERT_EQ(reader.streamCount(), 2);
    EXPECT_FALSE(reader.streamIsAudio(0));
    EXPECT_TRUE(reader.streamIsAudio(1));
    EXPECT_EQ(reader.StreamDelay(1), 0);
    EXPECT_EQ(reader.streams()[1].format.wFormatTag, 1);
    EXPECT_EQ(reader.streams()[1].format.nAvgBytesPerSec, 44100u * 2u);
}

TEST_F(FfmpegAviTest, CompressedStreamsFindTheirFirstFrame)
{
    if (QStandardPaths::findExecutable(QStringLiteral("ffmpeg")).isEmpty()) {
        GTEST_SKIP() << "ffmpeg is not installed";
    }
    for (const char* codec : {"libmp3lame", "ac3"}) {
        const QString file = make(QLatin1String(codec));
        if (file.isEmpty()) {
            continue; // this ffmpeg lacks the encoder
        }
        AviDelayReader reader;
        ASSERT_TRUE(reader.open(file)) << codec;
        ASSERT_EQ(reader.streamCount(), 2) << codec;
        ASSERT_TRUE(reader.streamIsAudio(1));
        EXPECT_EQ(reader.StreamDelay(1), 0) << codec;
    }
}

} // namespace
