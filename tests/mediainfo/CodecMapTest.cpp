#include "mediainfo/CodecMap.h"

#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderOutputScan.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CodecMap, KeyAndValueAroundTheFirstCommaTrimmed)
{
    const CodecMap map = parseCodecMap("  h264 ,  H.264, also AVC  \r\nno comma here\n\n"
                                       "mp3,MP3\n,empty key\nkey only,\n");
    EXPECT_EQ(map.lookup("h264"), "H.264, also AVC");
    EXPECT_EQ(map.lookup("mp3"), "MP3");
    EXPECT_EQ(map.lookup(""), "empty key");
    EXPECT_EQ(map.lookup("key only"), "");
    EXPECT_EQ(map.lookup("no comma here"), "no comma here");
    EXPECT_EQ(map.size(), 4);
}

TEST(CodecMap, LookupIsCaseSensitiveAndUnknownTextComesBack)
{
    const CodecMap map = parseCodecMap("aac, AAC\n");
    EXPECT_EQ(map.lookup("AAC"), "AAC");
    EXPECT_EQ(map.lookup("Aac"), "Aac");
    EXPECT_EQ(map.lookup("aac"), "AAC");
    EXPECT_EQ(map.lookup("aac "), "aac ");
}

TEST(CodecMap, RepeatedKeyKeepsItsFirstValueAndLoadingGoesOn)
{
    const CodecMap map = parseCodecMap("mp3, first\nmp3, second\nac3, AC-3\n");
    EXPECT_EQ(map.lookup("mp3"), "first");
    EXPECT_EQ(map.lookup("ac3"), "AC-3");
}

TEST(CodecMap, NumericKeysNeverMatch)
{
    const CodecMap map = parseCodecMap("85, MP3 by tag\n1.5, odd\n0x55, hex\n");
    EXPECT_EQ(map.lookup("85"), "85");
    EXPECT_EQ(map.lookup("1.5"), "1.5");
    EXPECT_EQ(map.lookup("0x55"), "hex");
}

TEST(CodecMap, EmptyMissingAndUnterminatedFiles)
{
    QTemporaryDir dir;
    const QString empty = dir.filePath("empty.txt");
    QFile(empty).open(QIODevice::WriteOnly);
    EXPECT_TRUE(loadCodecMap(empty).isEmpty());
    EXPECT_TRUE(loadCodecMap(dir.filePath("missing.txt")).isEmpty());

    const QString last = dir.filePath("last.txt");
    QFile file(last);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("vp9, VP9\nav1, AV1 \xc3\xa9");
    file.close();
    const CodecMap map = loadCodecMap(last);
    EXPECT_EQ(map.lookup("vp9"), "VP9");
    EXPECT_EQ(map.lookup("av1"), QString::fromUtf8("AV1 \xc3\xa9"));
}

TEST(CodecMap, ShippedMapsNameCommonCodecsAndPlayableAudioStaysAccepted)
{
    const CodecMaps maps = CodecMaps::loadFrom(QStringLiteral(KORVANE_SOURCE_DIR "/data"));
    for (const char* video :
         {"h264", "hevc", "mpeg4", "msmpeg4v3", "mpeg2video", "mpeg1video", "vp8", "vp9", "av1",
          "theora", "wmv1", "wmv2", "flv1", "h263", "mjpeg"}) {
        EXPECT_TRUE(maps.VideoCodecMap.contains(QLatin1String(video))) << video;
        EXPECT_NE(maps.VideoCodecMap.lookup(QLatin1String(video)), QLatin1String(video));
    }
    for (const char* audio : {"aac", "mp3", "mp2", "ac3", "eac3", "dts", "vorbis", "opus", "flac",
                              "pcm_s16le", "wmav1", "wmav2", "wmapro", "amr_nb", "alac"}) {
        EXPECT_TRUE(maps.AudioCodecMap.contains(QLatin1String(audio))) << audio;
        EXPECT_FALSE(
            DecoderOutputScan::isUnsupportedAudio(maps.AudioCodecMap.lookup(QLatin1String(audio))))
            << audio;
    }
}
