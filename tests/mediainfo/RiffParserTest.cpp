#include "mediainfo/RiffParser.h"

#include "mediainfo/RiffBuilder.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace korvane::test;

namespace {

class RiffParserTest : public ::testing::Test
{
protected:
    QString file(const QByteArray& bytes)
    {
        const QString path = m_dir.path() + QStringLiteral("/f%1.avi").arg(m_count++);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(RiffParserTest, OpenReadsHeaderOnlyForRiffFiles)
{
    RiffParser parser;
    ASSERT_TRUE(parser.open(file(riffFile("AVI ", riffChunk("JUNK", "ab")))));
    EXPECT_EQ(parser.fileFourCC, "AVI ");
    EXPECT_EQ(parser.fileSize, 4 + 10);
    EXPECT_GE(parser.fileHandle, 0);

    RiffParser other;
    EXPECT_FALSE(other.open(file("RIFX\x04\0\0\0AVI ")));
    EXPECT_FALSE(other.open(file("")));
    EXPECT_FALSE(other.open(m_dir.path() + "/missing.avi"));
    EXPECT_FALSE(other.open(m_dir.path()));
}

TEST_F(RiffParserTest, WalksChunksListsPadsAndEnd)
{
    const QByteArray body = riffChunk("JUNK", "abc") + // odd: one pad byte follows
                            riffList("hdrl", riffChunk("avih", "1234")) + riffChunk("00dc", "");
    RiffParser parser;
    ASSERT_TRUE(parser.open(file(riffFile("AVI ", body))));

    ASSERT_TRUE(parser.readChunk());
    EXPECT_EQ(parser.chunkType, "chunk");
    EXPECT_EQ(parser.chunkFourCC, "JUNK");
    EXPECT_EQ(parser.chunkSize, 4);
    EXPECT_EQ(parser.position(), 20) << "the data is not read until asked for";

    ASSERT_TRUE(parser.readChunk());
    EXPECT_EQ(parser.chunkType, "list");
    EXPECT_EQ(parser.chunkFourCC, "hdrl");
    EXPECT_EQ(parser.chunkSize, 16 - 4);

    ASSERT_TRUE(parser.readChunk());
    EXPECT_EQ(parser.chunkType, "chunk") << "a list's members follow its type";
    EXPECT_EQ(parser.chunkFourCC, "avih");
    EXPECT_EQ(parser.readBytes(parser.chunkSize), "1234");

    ASSERT_TRUE(parser.readChunk());
    EXPECT_EQ(parser.chunkFourCC, "00dc");
    EXPECT_EQ(parser.chunkSize, 0);

    ASSERT_TRUE(parser.readChunk());
    EXPECT_EQ(parser.chunkType, "eof");
    EXPECT_EQ(parser.currentChunk, 5);
}

TEST_F(RiffParserTest, ShortTailReadsAsEnd)
{
    for (const QByteArray& tail :
         {QByteArray("0"), QByteArray("01wb\x02\0\0", 7), QByteArray("LIST\x10\0\0\0mo", 10)}) {
        RiffParser parser;
        ASSERT_TRUE(parser.open(file(riffFile("AVI ", riffChunk("JUNK", "ab") + tail))));
        ASSERT_TRUE(parser.readChunk());
        EXPECT_EQ(parser.chunkFourCC, "JUNK");
        ASSERT_TRUE(parser.readChunk());
        EXPECT_EQ(parser.chunkType, "eof") << tail.toHex().constData();
    }
}

TEST_F(RiffParserTest, SizesPastTheEndReadOnlyWhatIsThere)
{
    RiffParser parser;
    ASSERT_TRUE(parser.open(file(riffFile("AVI ", riffChunk("01wb", "xyz", 0x7FFFFFFE)))));
    ASSERT_TRUE(parser.readChunk());
    EXPECT_EQ(parser.chunkSize, 0x7FFFFFFE);
    EXPECT_EQ(parser.readBytes(parser.chunkSize), QByteArray("xyz\0", 4));
    ASSERT_TRUE(parser.readChunk());
    EXPECT_EQ(parser.chunkType, "eof");
}

TEST_F(RiffParserTest, SizesThatCannotBeDataAreRefused)
{
    const QByteArray negative = riffChunk("JUNK", "ab", 0xFFFFFFF8);
    const QByteArray oddMaximum = riffChunk("JUNK", "ab", 0x7FFFFFFF);
    const QByteArray negativeList = riffList("movi", "", 0x80000000);
    for (const QByteArray& bad : {negative, oddMaximum, negativeList}) {
        RiffParser parser;
        ASSERT_TRUE(parser.open(file(riffFile("AVI ", bad))));
        EXPECT_FALSE(parser.readChunk()) << bad.toHex().constData();
    }

    // A list too short to hold its own type cannot be skipped backwards.
    RiffParser parser;
    ASSERT_TRUE(parser.open(file(riffFile("AVI ", riffList("idx1", "", 2)))));
    ASSERT_TRUE(parser.readChunk());
    EXPECT_EQ(parser.chunkSize, -2);
    const qint64 before = parser.position();
    EXPECT_FALSE(parser.skipChunk());
    EXPECT_EQ(parser.position(), before);
}

} // namespace
