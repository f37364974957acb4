#include "mediainfo/DecoderOutputScan.h"

#include "mediainfo/CodecMaps.h"
#include "mediainfo/MediaSource.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString kPath = QStringLiteral("/media/clip.avi");

// What the runner leaves in the capture file: the command line, CR LF, then the decoder's text.
QString capture(const QString& output, const QString& path = kPath)
{
    return "/usr/bin/ffmpeg -i file:" + path + " -analyzeduration 30000\r\n" + output;
}

struct Scan
{
    bool accepted = false;
    MediaSource source;
    QString reason;
    QStringList warnings;
};

Scan scan(const QString& output, const CodecMaps& maps = CodecMaps(), const QString& path = kPath)
{
    Scan s;
    DecoderOutputScan reader(maps, path, {"file:" + path});
    s.accepted = reader.read(capture(output, path), s.source);
    s.reason = reader.reason();
    s.warnings = reader.warnings();
    return s;
}

// A classic file summary around one stream line.
Scan scanStream(const QString& streamLine, const CodecMaps& maps = CodecMaps())
{
    return scan("Input #0, avi, from '" + kPath +
                    "':\n  Duration: 00:00:10.50, start: 0.000000, bitrate: 1000 kb/s\n"
                    "    Stream #0.0: " +
                    streamLine + "\n",
                maps);
}

const QString kUnsupported = QStringLiteral("Unsupported file format or the file is corrupted.");
const QString kIncomplete = QStringLiteral("File may be incomplete or corrupted.");

} // namespace

TEST(DecoderScanClassic, AudioLineWithFourItemsGivesRateChannelsAndBitRate)
{
    const Scan s = scanStream("Audio: mp3, 44100 Hz, stereo, 128 kb/s");
    ASSERT_TRUE(s.accepted);
    ASSERT_EQ(s.source.streamCount(), 1);
    const StreamRecord& a = s.source.stream(0);
    EXPECT_EQ(a.type, 1);
    EXPECT_EQ(a.compression, "mp3");
    EXPECT_EQ(a.sampleRate, 44100);
    EXPECT_EQ(a.channels, 2);
    EXPECT_EQ(a.bitRate, 128);
}

TEST(DecoderScanClassic, FifthAudioItemLeavesBitRateZero)
{
    const Scan s = scanStream("Audio: mp3, 44100 Hz, stereo, s16, 128 kb/s");
    ASSERT_EQ(s.source.streamCount(), 1);
    EXPECT_EQ(s.source.stream(0).bitRate, 0);
    EXPECT_EQ(s.source.stream(0).channels, 2);
}

TEST(DecoderScanClassic, ColonChannelItemAndFiveChannelsReadAsSix)
{
    const Scan s = scanStream("Audio: ac3, 44100 Hz, 5:1, 448 kb/s");
    ASSERT_EQ(s.source.streamCount(), 1);
    EXPECT_EQ(s.source.stream(0).channels, 6);
    EXPECT_EQ(s.source.stream(0).bitRate, 448);
}

TEST(DecoderScanClassic, VideoLineWithPixelFormat)
{
    const Scan s = scanStream("Video: mpeg2video, yuv420p, 720x576, 9800 kb/s, 25.00 fps(r)");
    ASSERT_EQ(s.source.streamCount(), 1);
    const StreamRecord& v = s.source.stream(0);
    EXPECT_EQ(v.type, 2);
    EXPECT_EQ(v.compression, "mpeg2video");
    EXPECT_EQ(v.width, 720);
    EXPECT_EQ(v.height, 576);
    EXPECT_EQ(v.bitRate, 9800);
    EXPECT_EQ(v.fps, 25.0f);
}

TEST(DecoderScanClassic, VideoLineWithoutPixelFormatTakesSizeFromSecondItem)
{
    const Scan s = scanStream("Video: mpeg4, 640x480, 29.97 fps(r)");
    ASSERT_EQ(s.source.streamCount(), 1);
    EXPECT_EQ(s.source.stream(0).width, 640);
    EXPECT_EQ(s.source.stream(0).height, 480);
    EXPECT_EQ(s.source.stream(0).bitRate, 0);
    EXPECT_EQ(s.source.stream(0).fps, 29.97f);
}

TEST(DecoderScanClassic, EveryPixelFormatMarkShiftsTheSizeItem)
{
    for (const char* format : {"yuvj420p", "rgb24", "bgra", "uyvy422", "gray", "pal8", "monow"}) {
        const Scan s = scanStream(
            QStringLiteral("Video: rawvideo, %1, 320x200, 10 fps").arg(QLatin1String(format)));
        ASSERT_EQ(s.source.streamCount(), 1) << format;
        EXPECT_EQ(s.source.stream(0).width, 320) << format;
        EXPECT_EQ(s.source.stream(0).fps, 10.0f) << format;
    }
}

TEST(DecoderScanClassic, DurationAndStartTime)
{
    const Scan s = scan("Input #0, avi, from 'x':\n"
                        "  Duration: 00:00:01.50, start: 0.000000, bitrate: 1 kb/s\n");
    ASSERT_TRUE(s.accepted);
    EXPECT_EQ(s.source.duration(), 1.5f);
    EXPECT_EQ(s.source.startTime(), 0.0f);

    const Scan later = scan("Input #0\n  Duration: 01:02:03.40, start: 12.345000, bitrate: 1\n");
    EXPECT_EQ(later.source.duration(), 3723.4f);
    EXPECT_EQ(later.source.startTime(), 12.345f);
}

TEST(DecoderScanClassic, DurationTextIsReadByShape)
{
    EXPECT_EQ(DecoderOutputScan::parseDuration("00:01:23.45"), 83.4f);
    EXPECT_EQ(DecoderOutputScan::parseDuration("00:00:02"), 2.0f);
    EXPECT_EQ(DecoderOutputScan::parseDuration("123:00:00.00"), 442800.0f);
    EXPECT_EQ(DecoderOutputScan::parseDuration("N/A"), 0.0f);
    EXPECT_EQ(DecoderOutputScan::parseDuration(""), 0.0f);
    EXPECT_EQ(DecoderOutputScan::parseDuration("0:1:2.3"), 0.0f);
    EXPECT_EQ(DecoderOutputScan::parseDuration("aa:bb:cc.d"), 0.0f);
    // Hours no float holds: no duration rather than an infinite one.
    EXPECT_EQ(DecoderOutputScan::parseDuration(QString(60, u'3') + ":00:02.00"), 0.0f);
    EXPECT_EQ(DecoderOutputScan::parseDuration(QString(400, u'9') + ":00:02.00"), 0.0f);
}

TEST(DecoderScanClassic, ZeroOrUnknownDurationNeedsAStream)
{
    // Streaming recorders write no duration and a 50 ms sound rounds to none: such files play.
    for (const char* duration : {"N/A", "00:00:00.00", "00:00:00.05", "00:00:00.09"}) {
        const Scan s = scan(QStringLiteral("Input #0, avi, from 'x':\n"
                                           "  Duration: %1, start: 0.000000, bitrate: N/A\n"
                                           "    Stream #0.0: Audio: mp3, 44100 Hz, mono, 64 kb/s\n")
                                .arg(QLatin1String(duration)));
        EXPECT_TRUE(s.accepted) << duration;
        EXPECT_EQ(s.source.streamCount(), 1) << duration;
        EXPECT_EQ(s.source.duration(), 0.0f) << duration;

        const Scan none = scan(QStringLiteral("Input #0, avi, from 'x':\n"
                                              "  Duration: %1, start: 0.000000, bitrate: N/A\n")
                                   .arg(QLatin1String(duration)));
        EXPECT_FALSE(none.accepted) << duration;
        EXPECT_EQ(none.reason, kIncomplete) << duration;
    }
    // A duration line without a comma never sets the duration.
    const Scan noComma = scan("Input #0\n  Duration: 00:00:05.00\n");
    EXPECT_EQ(noComma.reason, kIncomplete);
}

TEST(DecoderScanClassic, NoInputLineRefusesAndReplacesAnyEarlierReason)
{
    const Scan none = scan("/media/clip.avi: Invalid data found when processing input\n");
    EXPECT_FALSE(none.accepted);
    EXPECT_EQ(none.reason, kUnsupported);

    const Scan early = scan("  Duration: N/A, bitrate: N/A\n");
    EXPECT_FALSE(early.accepted);
    EXPECT_EQ(early.reason, kUnsupported);
}

TEST(DecoderScanClassic, RefusalPhrasesWinEvenOnBracketLines)
{
    const Scan unknown = scan("Input #0\nUnknown format\n");
    EXPECT_FALSE(unknown.accepted);
    EXPECT_EQ(unknown.reason, kUnsupported);

    const Scan codec = scan("Input #0, avi, from 'x':\n"
                            "[avi @ 0x1] could not find codec parameters\n"
                            "  Duration: 00:00:05.00, start: 0.0, bitrate: 1 kb/s\n");
    EXPECT_FALSE(codec.accepted);
    EXPECT_EQ(codec.reason, kUnsupported);
    EXPECT_EQ(codec.source.duration(), 0.0f);
}

TEST(DecoderScanClassic, BracketLinesAddNoStream)
{
    const Scan s = scan("Input #0, avi, from 'x':\n"
                        "  Duration: 00:00:05.00, start: 0.0, bitrate: 1 kb/s\n"
                        "[mpeg4 @ 0x1] Stream #0.0: Video: mpeg4, 640x480, 25 fps\n"
                        "    Stream #0.1: Audio: mp3, 44100 Hz, mono, 64 kb/s\n");
    ASSERT_EQ(s.source.streamCount(), 1);
    EXPECT_EQ(s.source.stream(0).type, 1);
}

TEST(DecoderScanClassic, OnlyStreamLinesAddRecords)
{
    const Scan s = scan("Input #0, matroska, from 'x':\n"
                        "  Metadata:\n"
                        "    comment         : Video: h264, yuv420p, 640x480, 25 fps\n"
                        "    title           : Audio: mp3, 44100 Hz, stereo, 128 kb/s\n"
                        "  Duration: 00:00:05.00, start: 0.0, bitrate: 1 kb/s\n"
                        "    Stream #0:0: Video: h264, yuv420p, 320x240, 25 fps\n");
    ASSERT_EQ(s.source.streamCount(), 1);
    EXPECT_EQ(s.source.stream(0).width, 320);
}

TEST(DecoderScanClassic, StreamNumberIsTheOneDigitAfterTheSeparator)
{
    const Scan s = scan("Input #0\n  Duration: 00:00:05.00, start: 0.0, bitrate: 1 kb/s\n"
                        "    Stream #0.3: Audio: mp3, 44100 Hz, mono, 64 kb/s\n"
                        "    Stream #0:2[0x1c0]: Audio: mp2, 44100 Hz, mono, 64 kb/s\n"
                        "    Stream #0:12: Audio: aac, 44100 Hz, mono, 64 kb/s\n"
                        "    Stream #0:x: Audio: aac, 44100 Hz, mono, 64 kb/s\n");
    ASSERT_EQ(s.source.streamCount(), 4);
    EXPECT_EQ(s.source.stream(0).index, 3);
    EXPECT_EQ(s.source.stream(1).index, 2);
    EXPECT_EQ(s.source.stream(2).index, 1);
    EXPECT_EQ(s.source.stream(3).index, 0);
}

TEST(DecoderScanClassic, AudioWinsWhenALineNamesBoth)
{
    const Scan s = scanStream("Audio: mp3, 22050 Hz, mono, 32 kb/s (Video: nothing)");
    ASSERT_EQ(s.source.streamCount(), 1);
    EXPECT_EQ(s.source.stream(0).type, 1);
    EXPECT_EQ(s.source.stream(0).sampleRate, 22050);
}

TEST(DecoderScanClassic, AudioOfNoChannelsAtNoRateIsNoStream)
{
    // What the decoder makes of a text file named .flac, .ac3 or .dts.
    const struct
    {
        const char* line;
        bool accepted;
    } cases[] = {
        {"Audio: flac, 0 channels", false},
        {"Audio: ac3, 0 channels, fltp", false},
        {"Audio: dts, 0 channels", false},
        {"Audio: flac, 44100 Hz, 0 channels", true},
        {"Audio: flac, 44100 Hz, stereo, s16", true},
    };
    for (const auto& c : cases) {
        const Scan s = scanStream(QLatin1String(c.line));
        EXPECT_EQ(s.accepted, c.accepted) << c.line;
        EXPECT_EQ(s.source.streamCount(), c.accepted ? 1 : 0) << c.line;
        if (!c.accepted) {
            EXPECT_EQ(s.reason, DecoderOutputScan::UnsupportedReason) << c.line;
        }
    }
    // Beside a picture the empty sound is only left out.
    const Scan both = scan("Input #0, matroska,webm, from '" + kPath +
                           "':\n  Duration: 00:00:02.00, start: 0.000000, bitrate: 1 kb/s\n"
                           "  Stream #0:0: Video: h264, yuv420p, 160x120, 25 fps\n"
                           "  Stream #0:1: Audio: ac3, 0 channels, fltp\n");
    EXPECT_TRUE(both.accepted);
    EXPECT_EQ(both.source.streamCount(), 1);
}

TEST(DecoderScanClassic, MissingOrUnreadableItemsReadAsZero)
{
    const Scan audio = scanStream("Audio: aac");
    ASSERT_TRUE(audio.accepted);
    ASSERT_EQ(audio.source.streamCount(), 1);
    EXPECT_EQ(audio.source.stream(0).sampleRate, 0);
    EXPECT_EQ(audio.source.stream(0).channels, 0);

    const Scan odd = scanStream("Audio: mp3, Hz, what, lots kb/s");
    ASSERT_TRUE(odd.accepted);
    EXPECT_EQ(odd.source.stream(0).sampleRate, 0);
    EXPECT_EQ(odd.source.stream(0).bitRate, 0);

    const Scan video = scanStream("Video: h264");
    ASSERT_TRUE(video.accepted);
    EXPECT_EQ(video.source.stream(0).width, 0);

    const Scan size = scanStream("Video: h264, yuv420p, 640xabc, fast fps");
    EXPECT_EQ(size.source.stream(0).width, 0);
    EXPECT_EQ(size.source.stream(0).height, 0);
    EXPECT_EQ(size.source.stream(0).fps, 0.0f);
}

TEST(DecoderScanClassic, StartTimeWithoutCommaOrNumber)
{
    const Scan end = scan("Input #0\n  Duration: 00:00:05.00, start: 1.250000\n");
    EXPECT_EQ(end.source.startTime(), 1.25f);
    const Scan word = scan("Input #0\n  Duration: 00:00:05.00, start: 2.5, bitrate: 1\n"
                           "    comment : start: soon, later\n");
    EXPECT_EQ(word.source.startTime(), 2.5f);
}

TEST(DecoderScanClassic, LineBreaksOfEveryKindSplitLines)
{
    const Scan s = scan("Input #0\r  Duration: 00:00:05.00, start: 0.0, bitrate: 1\r\n"
                        "    Stream #0.0: Audio: mp3, 44100 Hz, mono, 64 kb/s\n"
                        "    Stream #0.1: Audio: mp3, 44100 Hz, mono, 64 kb/s");
    EXPECT_TRUE(s.accepted);
    EXPECT_EQ(s.source.streamCount(), 2);
    EXPECT_EQ(s.source.duration(), 5.0f);
}

TEST(DecoderScanToday, AnnotationsAreRemovedBeforeTheSplit)
{
    EXPECT_EQ(DecoderOutputScan::streamItems(
                  "h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709, progressive), 1920x1080 "
                  "[SAR 1:1 DAR 16:9], 2500 kb/s, 25 fps, 25 tbr, 12800 tbn (default)"),
              QStringList(
                  {"h264", "yuv420p", "1920x1080", "2500 kb/s", "25 fps", "25 tbr", "12800 tbn"}));
    EXPECT_EQ(DecoderOutputScan::streamItems(
                  "pcm_s16le ([1][0][0][0] / 0x0001), 22050 Hz, mono, s16, 352 kb/s"),
              QStringList({"pcm_s16le", "22050 Hz", "mono", "s16", "352 kb/s"}));
    EXPECT_EQ(DecoderOutputScan::streamItems("vp8, yuv420p(tv, progressive), 160x120, SAR 1:1 "
                                             "DAR 4:3, 25 fps"),
              QStringList({"vp8", "yuv420p", "160x120", "25 fps"}));
    EXPECT_EQ(DecoderOutputScan::stripAnnotations("a ((b) c) d) e ["), "a d) e");
}

TEST(DecoderScanToday, AnnotatedLinesFillTheRecords)
{
    const Scan v = scanStream(
        "Video: h264 (High) (avc1 / 0x31637661), yuv420p(tv, bt709, progressive), 1920x1080 "
        "[SAR 1:1 DAR 16:9], 2500 kb/s, 25 fps, 25 tbr, 12800 tbn (default)");
    ASSERT_EQ(v.source.streamCount(), 1);
    EXPECT_EQ(v.source.stream(0).width, 1920);
    EXPECT_EQ(v.source.stream(0).height, 1080);
    EXPECT_EQ(v.source.stream(0).bitRate, 2500);
    EXPECT_EQ(v.source.stream(0).fps, 25.0f);

    const Scan a = scanStream("Audio: pcm_s16le ([1][0][0][0] / 0x0001), 22050 Hz, mono, s16, "
                              "352 kb/s");
    ASSERT_EQ(a.source.streamCount(), 1) << a.warnings.join('\n').toStdString();
    EXPECT_EQ(a.source.stream(0).compression, "pcm_s16le");
    EXPECT_EQ(a.source.stream(0).sampleRate, 22050);
    EXPECT_EQ(a.source.stream(0).bitRate, 0);
}

TEST(DecoderScanToday, ChannelLayouts)
{
    const QList<std::pair<const char*, int>> cases = {
        {"mono", 1},       {"stereo", 2},     {"quad", 4},      {"2.1", 3},     {"4.0", 4},
        {"5.0", 6},        {"5.1", 6},        {"7.1", 8},       {"5:1", 6},     {"3:2", 3},
        {"6 channels", 6}, {"5 channels", 6}, {"hexagonal", 0}, {"downmix", 0}, {"", 0},
        {"22.2", 24},      {"Stereo", 0},     {" stereo ", 2}};
    for (const auto& [item, channels] : cases) {
        EXPECT_EQ(DecoderOutputScan::channelCount(QLatin1String(item)), channels) << item;
    }
    // Counts no decoder prints: negative, or adding up past the largest int.
    const QList<std::pair<const char*, int>> outOfRange = {
        {"-3:2", 0}, {"-6 channels", 0}, {"2147483647.1", 0}, {"2147483646.1", 2147483647}};
    for (const auto& [item, channels] : outOfRange) {
        EXPECT_EQ(DecoderOutputScan::channelCount(QLatin1String(item)), channels) << item;
    }
    const Scan side = scanStream("Audio: ac3, 48000 Hz, 5.1(side), fltp, 448 kb/s");
    EXPECT_EQ(side.source.stream(0).channels, 6);
}

TEST(DecoderScanToday, ThousandsAreReadInFrameRates)
{
    const Scan s = scanStream("Video: mpeg4, yuv420p, 160x120, 3718 kb/s, 1k fps, 1k tbr, 1k tbn");
    ASSERT_EQ(s.source.streamCount(), 1);
    EXPECT_EQ(s.source.stream(0).fps, 1000.0f);
}

TEST(DecoderScanToday, ThePathTakesNoPartInTheRules)
{
    for (const QString& path :
         {QStringLiteral("/media/Unknown format.avi"), QStringLiteral("/home/u/Inputs/x.avi"),
          QStringLiteral("/m/could not find codec parameters.avi"),
          QStringLiteral("/m/  Duration: N/A, x.avi"),
          QStringLiteral("/m/Stream #0:1: Video: .avi")}) {
        const Scan s = scan("Input #0, avi, from 'file:" + path +
                                "':\n"
                                "  Duration: 00:00:02.00, start: 0.000000, bitrate: 9 kb/s\n"
                                "    Stream #0:0: Audio: mp3, 44100 Hz, mono, 64 kb/s\n",
                            CodecMaps(), path);
        EXPECT_TRUE(s.accepted) << path.toStdString();
        EXPECT_EQ(s.source.streamCount(), 1) << path.toStdString();
    }
    // Named only by the path, an input does not count.
    const QString inputs = QStringLiteral("/home/u/Inputs/x.avi");
    const Scan s = scan("file:" + inputs + ": Invalid data found when processing input\n",
                        CodecMaps(), inputs);
    EXPECT_FALSE(s.accepted);
}

TEST(DecoderScanToday, UnsupportedAudioIsDroppedWithAWarning)
{
    CodecMaps maps;
    maps.AudioCodecMap.insert("wmav3", "Windows Media Audio v9");
    maps.AudioCodecMap.insert("wmapro9", "Windows Media Audio Professional v9");
    const Scan s = scan("Input #0\n  Duration: 00:00:05.00, start: 0.0, bitrate: 1\n"
                        "    Stream #0:0: Audio: wmav3, 44100 Hz, stereo, 128 kb/s\n"
                        "    Stream #0:1: Audio: mp3, 44100 Hz, stereo, 128 kb/s\n"
                        "    Stream #0:2: Audio: wmapro9, 44100 Hz, stereo, 128 kb/s\n"
                        "    Stream #0:3: Audio: 0x0162, 44100 Hz, stereo, 128 kb/s\n",
                        maps);
    ASSERT_TRUE(s.accepted);
    ASSERT_EQ(s.source.streamCount(), 1);
    EXPECT_EQ(s.source.stream(0).index, 1);
    ASSERT_EQ(s.warnings.size(), 3);
    EXPECT_EQ(s.warnings[0], "The audio format Windows Media Audio v9 in file /media/clip.avi is "
                             "currently unsupported. It will not be added to the project.");
    EXPECT_TRUE(s.warnings[1].contains("Windows Media Audio Professional v9"));
    EXPECT_TRUE(s.warnings[2].contains("format 0x0162 in"));
    EXPECT_TRUE(DecoderOutputScan::isUnsupportedAudio("a / b"));
    EXPECT_FALSE(DecoderOutputScan::isUnsupportedAudio("a/b"));
    EXPECT_FALSE(DecoderOutputScan::isUnsupportedAudio("Windows Media Audio v9 Lossless"));
}

TEST(DecoderScanToday, CodecNamesAreMappedOrKept)
{
    CodecMaps maps;
    maps.VideoCodecMap.insert("h264", "H.264 (AVC)");
    maps.AudioCodecMap.insert("h264", "not for audio");
    const Scan s = scan("Input #0\n  Duration: 00:00:05.00, start: 0.0, bitrate: 1\n"
                        "    Stream #0:0: Video: h264, yuv420p, 64x48, 25 fps\n"
                        "    Stream #0:1: Audio: H264, 44100 Hz, stereo, 128 kb/s\n",
                        maps);
    ASSERT_EQ(s.source.streamCount(), 2);
    EXPECT_EQ(s.source.stream(0).compression, "H.264 (AVC)");
    EXPECT_EQ(s.source.stream(1).compression, "H264");
}

namespace {

struct VideoLine
{
    const char* line;
    int width;
    int height;
    int bitRate;
    float fps;
};

} // namespace

TEST(DecoderScanToday, VideoValuesAreFoundByTheirShapeWhereverTheyStand)
{
    const VideoLine table[] = {
        {"rawvideo (G3[0][8] / 0x8003347), gbrp, 160x120, SAR 1:1 DAR 4:3, 25 fps, 25 tbr", 160,
         120, 0, 25.0f},
        {"rawvideo (NV12 / 0x3231564E), nv12, 320x240, SAR 1:1 DAR 4:3, 30 fps", 320, 240, 0,
         30.0f},
        {"rawvideo (YUY2 / 0x32595559), yuyv422, 64x48, 12.5 fps, 25 tbr", 64, 48, 0, 12.5f},
        {"utvideo (ULRG / 0x47524C55), gbrp, 160x120, 2041 kb/s, SAR 1:1 DAR 4:3, 25 fps", 160, 120,
         2041, 25.0f},
        {"hevc (Main 10), p010le(tv), 3840x2160, 24 fps", 3840, 2160, 0, 24.0f},
        {"av1 (Main), yuv420p(tv, progressive), 160x120, Film Grain, SAR 1:1 DAR 4:3, 25 fps, "
         "25 tbr, 1k tbn",
         160, 120, 0, 25.0f},
        {"h264 (Main), yuv420p, 720x480, Closed Captions, 3000 kb/s, 29.97 fps, 29.97 tbr", 720,
         480, 3000, 29.97f},
        {"mjpeg (Lossless) (LJPG / 0x47504A4C), bgr24(bt470bg/unknown/unknown), 160x120 [SAR 1:1 "
         "DAR 4:3], lossless, 4409 kb/s, 25 fps, 25 tbr",
         160, 120, 4409, 25.0f},
        {"mpeg4, 640x480, 25 fps", 640, 480, 0, 25.0f},
        {"h264, 0x0, 25 fps", 0, 0, 0, 25.0f},
    };
    for (const VideoLine& c : table) {
        const Scan s = scanStream(QStringLiteral("Video: ") + QLatin1String(c.line));
        ASSERT_EQ(s.source.streamCount(), 1) << c.line;
        const StreamRecord& v = s.source.stream(0);
        EXPECT_EQ(v.width, c.width) << c.line;
        EXPECT_EQ(v.height, c.height) << c.line;
        EXPECT_EQ(v.bitRate, c.bitRate) << c.line;
        EXPECT_FLOAT_EQ(v.fps, c.fps) << c.line;
    }
}

TEST(DecoderScanToday, OnlyTheDecodersOwnLinesCount)
{
    const QString streams = "  Duration: 00:00:05.00, start: 1.500000, bitrate: 1 kb/s\n"
                            "  Stream #0:0: Audio: mp3, 44100 Hz, stereo, fltp, 128 kb/s\n";
    struct Case
    {
        const char* what;
        QString text;
    };
    const Case cases[] = {
        {"title holding a stream line",
         "  Metadata:\n    title           : Stream #0:7: Video: h264, yuv420p, 640x480, 25 fps\n"},
        {"title holding start", "  Metadata:\n    title           : x, start: 99.000000, y\n"},
        {"title holding the refusal", "  Metadata:\n    title           : Unknown format\n"},
        {"comment holding the other refusal",
         "  Metadata:\n    comment         : could not find codec parameters\n"},
        {"continuation line of a value",
         "  Metadata:\n    comment         : first\n                    : Stream #0:3: Audio: "
         "aac, 8000 Hz, mono\n                    : Duration: 01:00:00.00, start: 7.0\n"},
        {"title holding a duration line",
         "  Metadata:\n    title           : Duration: 09:00:00.00, start: 5.0, x\n"},
        {"stream metadata after a stream line",
         "  Stream #0:1: Video: mjpeg, yuvj420p, 90x90, 90k tbr (attached pic)\n    Metadata:\n"
         "      comment         : Stream #0:2: Audio: mp3, 1 Hz, mono\n"
         "      title           : Unknown format, start: 3.0\n"},
        {"chapter name",
         "  Chapters:\n    Chapter #0:0: start 0.000000, end 1.000000\n      Metadata:\n"
         "        title           : Stream #0:4: Audio: mp3, 1 Hz, mono\n"},
    };
    for (const Case& c : cases) {
        const Scan s = scan("Input #0, matroska,webm, from 'x':\n" + c.text + streams);
        EXPECT_TRUE(s.accepted) << c.what;
        EXPECT_EQ(s.source.duration(), 5.0f) << c.what;
        EXPECT_EQ(s.source.startTime(), 1.5f) << c.what;
        int audio = 0;
        for (const StreamRecord& r : s.source.streams()) {
            audio += r.isAudio() ? 1 : 0;
            EXPECT_NE(r.index, 7) << c.what;
            EXPECT_NE(r.index, 3) << c.what;
        }
        EXPECT_EQ(audio, 1) << c.what;
    }
    // The decoder's own message still refuses, even after a metadata block.
    const Scan refused = scan("Input #0, avi, from 'x':\n  Metadata:\n    a : b\n"
                              "Unknown format\n" +
                              streams);
    EXPECT_FALSE(refused.accepted);
    // A message line naming a stream is not a stream line.
    const Scan guessed =
        scan("Input #0\nGuessed Channel Layout for Input Stream #0.5 : mono\n" + streams);
    ASSERT_EQ(guessed.source.streamCount(), 1);
    EXPECT_EQ(guessed.source.stream(0).index, 0);
}

TEST(DecoderScanToday, UnknownAudioTagIsUnsupportedButKnownTaggedCodecsAreNot)
{
    const Scan s = scan("Input #0, wav, from 'x':\n"
                        "  Duration: 00:00:01.00, bitrate: 705 kb/s\n"
                        "  Stream #0:0: Audio: none (4[18][0][0] / 0x1234), 44100 Hz, mono, "
                        "705 kb/s\n"
                        "  Stream #0:1: Audio: pcm_s16le ([1][0][0][0] / 0x0001), 44100 Hz, mono, "
                        "s16, 705 kb/s\n"
                        "  Stream #0:2: Audio: mp3 (U[0][0][0] / 0x0055), 44100 Hz, stereo, fltp, "
                        "128 kb/s\n");
    ASSERT_TRUE(s.accepted);
    ASSERT_EQ(s.source.streamCount(), 2);
    EXPECT_EQ(s.source.stream(0).index, 1);
    EXPECT_EQ(s.source.stream(1).index, 2);
    ASSERT_EQ(s.warnings.size(), 1);
    EXPECT_EQ(s.warnings[0], "The audio format none (4[18][0][0] / 0x1234) in file "
                             "/media/clip.avi is currently unsupported. It will not be added to "
                             "the project.");
}

TEST(DecoderScanToday, CoverArtAndTurnedPicturesAreMarked)
{
    const Scan s = scan("Input #0, mp4, from 'x':\n"
                        "  Duration: 00:00:01.00, start: 0.000000, bitrate: 1 kb/s\n"
                        "  Stream #0:0[0x1](und): Video: h264, yuv420p(progressive), 320x180, "
                        "25 fps (default)\n"
                        "    Side data:\n      displaymatrix: rotation of -90.00 degrees\n"
                        "  Stream #0:1: Video: png, rgb24(pc), 160x120, 90k tbr, 90k tbn "
                        "(attached pic)\n"
                        "  Stream #0:2: Video: h264, yuv420p, 64x48, 25 fps\n"
                        "    Side data:\n      displaymatrix: rotation of 180.00 degrees\n");
    ASSERT_EQ(s.source.streamCount(), 3);
    EXPECT_EQ(s.source.stream(0).rotation, 270);
    EXPECT_FALSE(s.source.stream(0).attachedPicture);
    EXPECT_EQ(s.source.stream(1).rotation, 0);
    EXPECT_TRUE(s.source.stream(1).attachedPicture);
    EXPECT_EQ(s.source.stream(2).rotation, 180);
}

// Recorded decoder output (tests/data/ffmpeg, made by record.sh from generated files).
namespace {

struct Expected
{
    const char* file;
    bool accepted;
    float duration;
    float start;
    // Per stream: type, index, codec, width or sample rate, height or channels, fps, bit rate.
    QList<std::tuple<int, int, const char*, int, int, float, int>> streams;
};

Scan scanRecorded(const QString& name)
{
    QFile file(QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/ffmpeg/") + name + ".txt");
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
    const QString path = QStringLiteral("/tmp/korvane-ffmpeg/") + name;
    Scan s;
    const CodecMaps maps;
    DecoderOutputScan reader(maps, path, {"file:" + path});
    s.accepted = reader.read(capture(QString::fromUtf8(file.readAll()), path), s.source);
    s.reason = reader.reason();
    s.warnings = reader.warnings();
    return s;
}

} // namespace

TEST(DecoderScanRecorded, TodaysDecoderOnGeneratedFiles)
{
    const QList<Expected> table = {
        {"h264-aac.mkv",
         true,
         2.0f,
         0.0f,
         {{2, 0, "h264", 160, 120, 25.0f, 0}, {1, 1, "aac", 44100, 1, 0.0f, 0}}},
        {"h264-aac.mp4",
         true,
         2.0f,
         0.0f,
         {{2, 0, "h264", 160, 120, 25.0f, 121}, {1, 1, "aac", 44100, 1, 0.0f, 0}}},
        {"mpeg4-pcm.avi",
         true,
         2.0f,
         0.0f,
         {{2, 0, "mpeg4", 160, 120, 25.0f, 220}, {1, 1, "pcm_s16le", 22050, 1, 0.0f, 0}}},
        {"msmpeg4v3-mp3.avi",
         true,
         2.0f,
         0.0f,
         {{2, 0, "msmpeg4v3", 160, 120, 25.0f, 0}, {1, 1, "mp3", 44100, 1, 0.0f, 0}}},
        {"tone.wav", true, 2.0f, 0.0f, {{1, 0, "pcm_s16le", 44100, 1, 0.0f, 0}}},
        {"stereo.mp3", true, 2.0f, 0.025057f, {{1, 0, "mp3", 44100, 2, 0.0f, 0}}},
        {"flv1-mp3.flv",
         true,
         2.0f,
         0.0f,
         {{1, 0, "mp3", 44100, 1, 0.0f, 0}, {2, 1, "flv1", 160, 120, 25.0f, 200}}},
        {"theora-vorbis.ogg",
         true,
         2.0f,
         0.0f,
         {{2, 0, "theora", 160, 120, 25.0f, 0}, {1, 1, "vorbis", 44100, 1, 0.0f, 0}}},
        {"mpeg1.mpg",
         true,
         2.0f,
         0.529089f,
         {{2, 0, "mpeg1video", 160, 120, 25.0f, 104857}, {1, 1, "mp2", 44100, 1, 0.0f, 0}}},
        {"mpeg2-ac3.mpg",
         true,
         2.0f,
         0.5342f,
         {{2, 0, "mpeg2video", 720, 576, 25.0f, 0}, {1, 1, "ac3", 44100, 1, 0.0f, 0}}},
        {"h264-aac.mov",
         true,
         2.0f,
         0.0f,
         {{2, 0, "h264", 160, 120, 25.0f, 121}, {1, 1, "aac", 44100, 1, 0.0f, 0}}},
        {"h263-aac.3gp",
         true,
         2.0f,
         0.0f,
         {{2, 0, "h263", 176, 144, 25.0f, 266}, {1, 1, "aac", 8000, 1, 0.0f, 0}}},
        {"wmv2-wmav2.wmv",
         true,
         2.0f,
         0.0f,
         {{2, 0, "wmv2", 160, 120, 25.0f, 0}, {1, 1, "wmav2", 44100, 1, 0.0f, 0}}},
        {"wmv1-wmav1.asf",
         true,
         2.0f,
         0.0f,
         {{2, 0, "wmv1", 160, 120, 25.0f, 0}, {1, 1, "wmav1", 44100, 1, 0.0f, 0}}},
        {"vorbis.mka", true, 2.0f, 0.0f, {{1, 0, "vorbis", 44100, 1, 0.0f, 0}}},
        {"tone.m4a", true, 2.0f, 0.0f, {{1, 0, "aac", 44100, 1, 0.0f, 0}}},
        {"tone.aac", true, 2.0f, 0.0f, {{1, 0, "aac", 44100, 1, 0.0f, 0}}},
        {"surround-5.1.mka", true, 2.0f, 0.0f, {{1, 0, "ac3", 48000, 6, 0.0f, 0}}},
        {"surround-7.1.mka", true, 2.0f, 0.0f, {{1, 0, "flac", 48000, 8, 0.0f, 0}}},
        {"quad.mka", true, 2.0f, 0.0f, {{1, 0, "flac", 48000, 4, 0.0f, 0}}},
        {"fps-1000.avi", true, 1.0f, 0.0f, {{2, 0, "mpeg4", 160, 120, 1000.0f, 3718}}},
        {"hd-1080.mkv", true, 0.2f, 0.0f, {{2, 0, "h264", 1920, 1080, 25.0f, 0}}},
        {"vp8.webm.mkv", true, 2.0f, 0.0f, {{2, 0, "vp8", 160, 120, 25.0f, 0}}},
        {"mjpeg-pcm.avi",
         true,
         2.0f,
         0.0f,
         {{2, 0, "mjpeg", 160, 120, 25.0f, 674}, {1, 1, "pcm_s16le", 44100, 1, 0.0f, 0}}},
        {"two-audio.mkv",
         true,
         2.0f,
         0.0f,
         {{2, 0, "h264", 160, 120, 25.0f, 0},
          {1, 1, "aac", 44100, 1, 0.0f, 0},
          {1, 2, "aac", 44100, 1, 0.0f, 0}}},
        {"two-video.mkv",
         true,
         2.0f,
         0.0f,
         {{2, 0, "mpeg4", 160, 120, 25.0f, 0},
          {2, 1, "mpeg4", 320, 240, 25.0f, 0},
          {1, 2, "mp3", 44100, 1, 0.0f, 0}}},
        {"Unknown format Input Video: .avi",
         true,
         2.0f,
         0.0f,
         {{2, 0, "mpeg4", 160, 120, 25.0f, 220}, {1, 1, "pcm_s16le", 22050, 1, 0.0f, 0}}},
    };
    for (const Expected& e : table) {
        SCOPED_TRACE(e.file);
        const Scan s = scanRecorded(QLatin1String(e.file));
        EXPECT_EQ(s.accepted, e.accepted) << s.reason.toStdString();
        EXPECT_TRUE(s.warnings.isEmpty());
        EXPECT_FLOAT_EQ(s.source.duration(), e.duration);
        EXPECT_FLOAT_EQ(s.source.startTime(), e.start);
        ASSERT_EQ(s.source.streamCount(), e.streams.size());
        for (int i = 0; i < e.streams.size(); ++i) {
            const auto& [type, index, codec, a, b, fps, bitRate] = e.streams[i];
            const StreamRecord& r = s.source.stream(i);
            EXPECT_EQ(r.type, type) << i;
            EXPECT_EQ(r.index, index) << i;
            EXPECT_EQ(r.compression, QLatin1String(codec)) << i;
            EXPECT_EQ(type == 2 ? r.width : r.sampleRate, a) << i;
            EXPECT_EQ(type == 2 ? r.height : r.channels, b) << i;
            EXPECT_EQ(r.fps, fps) << i;
            EXPECT_EQ(r.bitRate, bitRate) << i;
        }
    }
}

TEST(DecoderScanRecorded, BrokenFilesAreRefused)
{
    for (const char* name : {"empty.avi", "truncated.mp4", "random.avi", "text.mkv"}) {
        const Scan s = scanRecorded(QLatin1String(name));
        EXPECT_FALSE(s.accepted) << name;
        EXPECT_EQ(s.reason, kUnsupported) << name;
    }
}

TEST(DecoderScanRecorded, ShippedMapsNameEveryRecordedCodecWithoutRefusingIt)
{
    const CodecMaps maps = CodecMaps::loadFrom(QStringLiteral(KORVANE_SOURCE_DIR "/data"));
    for (const char* name : {"h264-aac.mp4", "mpeg4-pcm.avi", "wmv2-wmav2.wmv", "wmv1-wmav1.asf",
                             "theora-vorbis.ogg", "surround-5.1.mka", "mpeg1.mpg"}) {
        QFile file(QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/ffmpeg/") + name + ".txt");
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString path = QStringLiteral("/tmp/korvane-ffmpeg/") + QLatin1String(name);
        MediaSource source;
        DecoderOutputScan reader(maps, path, {"file:" + path});
        EXPECT_TRUE(reader.read(capture(QString::fromUtf8(file.readAll()), path), source));
        EXPECT_TRUE(reader.warnings().isEmpty()) << name;
        for (const StreamRecord& s : source.streams()) {
            EXPECT_FALSE(s.compression.contains('_')) << s.compression.toStdString();
        }
    }
}
