#include "mediainfo/MediaSource.h"

#include <gtest/gtest.h>

namespace {

const QLocale kC = QLocale::c();

StreamRecord videoStream()
{
    StreamRecord s;
    s.type = StreamRecord::Video;
    s.index = 0;
    s.bitRate = 0;
    s.compression = "MPEG-4 Video";
    s.fps = 25.0f;
    s.width = 640;
    s.height = 480;
    s.sourceAR = 640.0f / 480.0f;
    s.displayAR = 1.0f;
    s.interlaced = true;
    return s;
}

StreamRecord audioStream()
{
    StreamRecord s;
    s.type = StreamRecord::Audio;
    s.index = 1;
    s.bitRate = 128;
    s.compression = "MPEG Layer 3";
    s.channels = 2;
    s.sampleRate = 44100;
    s.delay = -2;
    return s;
}

MediaSource videoAndAudio()
{
    MediaSource source;
    source.setFileName("/home/u/clips/a.avi");
    source.setTimeStamp("2024-03-01 12:00:00");
    source.setIsAVI(true);
    source.setDuration(10.5f);
    source.setStartTime(1.25f);
    source.addStream(videoStream());
    source.addStream(audioStream());
    return source;
}

OrderedMap streamMap(int type)
{
    OrderedMap m;
    m.insert("Type", type);
    return m;
}

} // namespace

TEST(MediaSource, FreshObjectIsEmpty)
{
    const MediaSource source;
    EXPECT_EQ(source.streamCount(), 0);
    EXPECT_EQ(source.fileName(), "");
    EXPECT_EQ(source.timeStamp(), "");
    EXPECT_FALSE(source.isAvi());
    EXPECT_EQ(source.duration(), 0.0f);
    EXPECT_EQ(source.startTime(), 0.0f);
    EXPECT_EQ(source.firstVideoStream(), -1);
}

TEST(MediaSource, SerializeWithoutStreamsHasExactlyTheFiveFileKeys)
{
    const OrderedMap map = MediaSource().serialize();
    EXPECT_EQ(map.keys(), QStringList({"FileName", "Duration", "StartTime", "TimeStamp", "IsAVI"}));
    EXPECT_EQ(map.value("Duration").typeId(), QMetaType::Float);
    EXPECT_EQ(map.value("StartTime").typeId(), QMetaType::Float);
    EXPECT_EQ(map.value("IsAVI").typeId(), QMetaType::Bool);
    EXPECT_EQ(map.value("FileName").typeId(), QMetaType::QString);
}

TEST(MediaSource, SerializeNamesStreamsByArrayIndexWithFieldsInOrder)
{
    const OrderedMap map = videoAndAudio().serialize();
    EXPECT_EQ(map.keys(), QStringList({"FileName", "Duration", "StartTime", "TimeStamp", "IsAVI",
                                       "Stream0", "Stream1"}));
    const OrderedMap s1 = map.value("Stream1").value<OrderedMap>();
    EXPECT_EQ(s1.keys(), QStringList({"Type", "Index", "Compression", "BitRate", "FPS", "Width",
                                      "Height", "Channels", "SampleRate", "Delay", "SourceAR",
                                      "DisplayAR", "Interlaced"}));
    EXPECT_EQ(s1.value("Type").typeId(), QMetaType::Int);
    EXPECT_EQ(s1.value("FPS").typeId(), QMetaType::Float);
    EXPECT_EQ(s1.value("Interlaced").typeId(), QMetaType::Bool);
    EXPECT_EQ(s1.value("Delay").toInt(), -2);
    EXPECT_EQ(s1.value("Compression").toString(), "MPEG Layer 3");
}

TEST(MediaSource, RoundTripKeepsEverythingButStartTimeAndPictures)
{
    MediaSource original = videoAndAudio();
    original.streamImage(0, QImage(4, 4, QImage::Format_RGB32));

    MediaSource copy;
    copy.deserialize(original.serialize());

    EXPECT_EQ(copy.fileName(), original.fileName());
    EXPECT_EQ(copy.timeStamp(), original.timeStamp());
    EXPECT_TRUE(copy.isAvi());
    EXPECT_EQ(copy.duration(), 10.5f);
    EXPECT_EQ(copy.startTime(), 0.0f);
    ASSERT_EQ(copy.streamCount(), 2);
    EXPECT_TRUE(copy.streamImage(0).isNull());

    // Everything else, in the same key order.
    OrderedMap expected = original.serialize();
    expected.insert("StartTime", 0.0f);
    EXPECT_EQ(copy.serialize(), expected);
    EXPECT_EQ(copy.stream(0).sourceAR, 640.0f / 480.0f);
    EXPECT_TRUE(copy.stream(0).interlaced);
    EXPECT_EQ(copy.stream(1).delay, -2);
}

TEST(MediaSource, UnSerializeReplacesStreamsButKeepsStartTime)
{
    MediaSource target = videoAndAudio();
    target.setStartTime(7.5f);
    OrderedMap map;
    map.insert("FileName", "/x.mp3");
    map.insert("Stream9", QVariant::fromValue(streamMap(1)));
    target.deserialize(map);
    EXPECT_EQ(target.streamCount(), 1);
    EXPECT_EQ(target.stream(0).type, 1);
    EXPECT_EQ(target.startTime(), 7.5f);
    EXPECT_FALSE(target.isAvi());
    EXPECT_EQ(target.timeStamp(), "");
    EXPECT_EQ(target.duration(), 0.0f);
}

TEST(MediaSource, UnSerializeTakesEveryKeyStartingWithStreamInMapOrder)
{
    OrderedMap map;
    map.insert("Stream7", QVariant::fromValue(streamMap(2)));
    map.insert("stream0", QVariant::fromValue(streamMap(1)));
    map.insert("StreamExtra", QVariant::fromValue(streamMap(1)));
    map.insert("Stream", 42); // not a map: a record with every field empty
    map.insert("Streams0", QVariant::fromValue(streamMap(2)));
    MediaSource source;
    source.deserialize(map);
    ASSERT_EQ(source.streamCount(), 4);
    EXPECT_EQ(source.stream(0).type, 2);
    EXPECT_EQ(source.stream(1).type, 1);
    EXPECT_EQ(source.stream(2).type, 0);
    EXPECT_EQ(source.stream(2).compression, "");
    EXPECT_EQ(source.stream(3).type, 2);
}

TEST(MediaSource, UnSerializeConvertsValuesOfOtherTypes)
{
    OrderedMap stream;
    stream.insert("Type", "2");
    stream.insert("Index", 2.5); // halves go to the even neighbour
    stream.insert("BitRate", 3.5f);
    stream.insert("Width", true);     // true is -1
    stream.insert("Height", 1e12);    // kept within 32 bits
    stream.insert("Channels", "abc"); // unreadable gives 0
    stream.insert("FPS", " 29.97 ");
    stream.insert("SourceAR", 2);
    stream.insert("Interlaced", -1);
    stream.insert("Compression", 5);
    OrderedMap map;
    map.insert("Duration", "12.5");
    map.insert("IsAVI", "True");
    map.insert("Stream0", QVariant::fromValue(stream));
    MediaSource source;
    source.deserialize(map);
    ASSERT_EQ(source.streamCount(), 1);
    const StreamRecord& s = source.stream(0);
    EXPECT_EQ(s.type, 2);
    EXPECT_EQ(s.index, 2);
    EXPECT_EQ(s.bitRate, 4);
    EXPECT_EQ(s.width, -1);
    EXPECT_EQ(s.height, 2147483647);
    EXPECT_EQ(s.channels, 0);
    EXPECT_EQ(s.fps, 29.97f);
    EXPECT_EQ(s.sourceAR, 2.0f);
    EXPECT_TRUE(s.interlaced);
    EXPECT_EQ(s.compression, "5");
    EXPECT_EQ(source.duration(), 12.5f);
    EXPECT_TRUE(source.isAvi());

    OrderedMap notAvi;
    notAvi.insert("IsAVI", 0);
    source.deserialize(notAvi);
    EXPECT_FALSE(source.isAvi());
    EXPECT_EQ(source.streamCount(), 0);
}

TEST(MediaSource, StreamInfoHoldsTheTypeGroupFirst)
{
    const MediaSource source = videoAndAudio();
    const OrderedMap video = source.streamInfo(0);
    EXPECT_EQ(video.keys(),
              QStringList({"FPS", "Width", "Height", "SourceAR", "DisplayAR", "Interlaced", "Type",
                           "Index", "Duration", "StartTime", "Compression", "BitRate"}));
    EXPECT_EQ(video.value("StartTime").toFloat(), 1.25f);
    EXPECT_EQ(video.value("Duration").toFloat(), 10.5f);

    const OrderedMap audio = source.streamInfo(1);
    EXPECT_EQ(audio.keys(), QStringList({"Channels", "SampleRate", "Delay", "Type", "Index",
                                         "Duration", "StartTime", "Compression", "BitRate"}));
    EXPECT_EQ(audio.value("Delay").toInt(), -2);

    MediaSource other;
    StreamRecord odd;
    odd.type = 7;
    other.addStream(odd);
    EXPECT_EQ(other.streamInfo(0).keys(),
              QStringList({"Type", "Index", "Duration", "StartTime", "Compression", "BitRate"}));
    EXPECT_TRUE(other.streamInfo(1).isEmpty());
    EXPECT_TRUE(other.streamInfo(-1).isEmpty());
}

TEST(MediaSource, StreamImageReadsAndWritesOnlyValidIndices)
{
    MediaSource source = videoAndAudio();
    QImage picture(8, 6, QImage::Format_RGB32);
    picture.fill(Qt::red);
    source.streamImage(1, picture);
    EXPECT_EQ(source.streamImage(1).size(), QSize(8, 6));
    EXPECT_TRUE(source.streamImage(0).isNull());
    source.streamImage(2, picture);
    source.streamImage(-1, picture);
    EXPECT_TRUE(source.streamImage(2).isNull());
    EXPECT_EQ(source.streamCount(), 2);
}

TEST(MediaSource, StreamListEditing)
{
    MediaSource source;
    source.addStream(audioStream());
    source.addStream(videoStream());
    source.addStream(videoStream());
    EXPECT_EQ(source.firstVideoStream(), 1);
    source.removeStream(1);
    EXPECT_EQ(source.firstVideoStream(), 1);
    source.removeStream(5);
    EXPECT_EQ(source.streamCount(), 2);
}

TEST(MediaSourceAspect, NamedFormatsAtSinglePrecision)
{
    EXPECT_EQ(MediaSource::aspectName(640.0f / 480.0f, kC), "Normal (4:3)");
    EXPECT_EQ(MediaSource::aspectName(1.3333334f, kC), "Normal (4:3)");
    EXPECT_EQ(MediaSource::aspectName(1920.0f / 1080.0f, kC), "Widescreen (16:9)");
    EXPECT_EQ(MediaSource::aspectName(static_cast<float>(2.2100000381), kC), "Panavision (2.21:1)");
    // Close is not equal.
    EXPECT_EQ(MediaSource::aspectName(1.777f, kC), "1.78:1");
    EXPECT_EQ(MediaSource::aspectName(1.3333f, kC), "1.33:1");
}

TEST(MediaSourceAspect, OtherRatiosToTwoDecimals)
{
    EXPECT_EQ(MediaSource::aspectName(720.0f / 576.0f, kC), "1.25:1");
    EXPECT_EQ(MediaSource::aspectName(1.0f, kC), "1:1");
    EXPECT_EQ(MediaSource::aspectName(1.85f, kC), "1.85:1");
    EXPECT_EQ(MediaSource::aspectName(2.35f, kC), "2.35:1");
    EXPECT_EQ(MediaSource::aspectName(1.125f, kC), "1.12:1"); // exact half: to the even neighbour
    EXPECT_EQ(MediaSource::aspectName(1.375f, kC), "1.38:1");
    EXPECT_EQ(MediaSource::aspectName(0.0f, kC), "0:1");
    EXPECT_EQ(MediaSource::aspectName(480.0f / 640.0f, kC), "0.75:1");
    EXPECT_EQ(MediaSource::aspectName(std::nanf(""), kC), "NaN:1");
    EXPECT_EQ(MediaSource::aspectName(1.85f, QLocale(QLocale::German)), "1,85:1");
}

TEST(MediaSourceText, VideoAndAudioFile)
{
    MediaSource source = videoAndAudio();
    source.setStartTime(0.0f);
    const QString expected = "Stream information of /home/u/clips/a.avi\r\n"
                             "Duration  : 10.5\r\n"
                             "Starttime : 0\r\n"
                             "Stream 0 (Video)\r\n"
                             "Width       : 640 pixels\r\n"
                             "Height      : 480 pixels\r\n"
                             "Framerate   : 25\r\n"
                             "Compression : MPEG-4 Video\r\n"
                             "Source AR   : Normal (4:3)\r\n"
                             "DIsplay AR  : 1:1\r\n"
                             "BitRate     : 0 Kbit\\s\r\n"
                             "Stream 1 (Audio)\r\n"
                             "Channels    : 2\r\n"
                             "Samplerate  : 44100 Hz\r\n"
                             "Compression : MPEG Layer 3\r\n"
                             "BitRate     : 128 Kbit\\s";
    EXPECT_EQ(source.streamInfoText(kC), expected);
}

TEST(MediaSourceText, AudioOnlyFileInALocaleWithDecimalComma)
{
    MediaSource source;
    source.setFileName("/music/Grüße.mp3");
    source.setDuration(83.4f);
    source.setStartTime(0.025f);
    StreamRecord audio = audioStream();
    audio.index = 0;
    audio.channels = 6;
    audio.sampleRate = 48000;
    audio.bitRate = 448;
    audio.compression = "AC3";
    source.addStream(audio);
    const QString expected = "Stream information of /music/Grüße.mp3\r\n"
                             "Duration  : 83,4\r\n"
                             "Starttime : 0,025\r\n"
                             "Stream 0 (Audio)\r\n"
                             "Channels    : 6\r\n"
                             "Samplerate  : 48000 Hz\r\n"
                             "Compression : AC3\r\n"
                             "BitRate     : 448 Kbit\\s";
    EXPECT_EQ(source.streamInfoText(QLocale(QLocale::German, QLocale::Germany)), expected);
}

TEST(MediaSourceText, StreamOfUnknownTypeShowsOnlyItsBitRateAndNoFileHasNoTrailingBreak)
{
    MediaSource source;
    source.setFileName("/a.mkv");
    StreamRecord odd;
    odd.type = 0;
    odd.bitRate = 5;
    source.addStream(odd);
    StreamRecord video = videoStream();
    video.fps = 29.97f;
    video.sourceAR = 1920.0f / 1080.0f;
    video.displayAR = 16.0f / 9.0f;
    source.addStream(video);
    const QString text = source.streamInfoText(kC);
    EXPECT_EQ(text, "Stream information of /a.mkv\r\n"
                    "Duration  : 0\r\n"
                    "Starttime : 0\r\n"
                    "BitRate     : 5 Kbit\\s\r\n"
                    "Stream 1 (Video)\r\n"
                    "Width       : 640 pixels\r\n"
                    "Height      : 480 pixels\r\n"
                    "Framerate   : 29.97\r\n"
                    "Compression : MPEG-4 Video\r\n"
                    "Source AR   : Widescreen (16:9)\r\n"
                    "DIsplay AR  : Widescreen (16:9)\r\n"
                    "BitRate     : 0 Kbit\\s");
    EXPECT_EQ(MediaSource().streamInfoText(kC),
              "Stream information of \r\nDuration  : 0\r\nStarttime : 0");
}
