#include "mediainfo/MpgtxProbe.h"

#include "mediainfo/MediaSource.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

const QString kRecordedFolder = QStringLiteral("/tmp/korvane-mpgtx/");

QString recorded(const QString& name)
{
    QFile file(QStringLiteral(KORVANE_SOURCE_DIR "/tests/data/mpgtx/") + name + ".txt");
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "missing fixture " << name.toStdString();
        return QString();
    }
    return QString::fromUtf8(file.readAll());
}

// What the runner leaves in the capture file: the command line, CR LF, then the output.
QString capture(const QString& path, const QString& output)
{
    return "mpgtx -i " + path + "\r\n" + output;
}

MediaSource sourceWithVideo(const QString& path)
{
    MediaSource source;
    source.setFileName(path);
    StreamRecord audio;
    audio.type = StreamRecord::Audio;
    source.addStream(audio);
    StreamRecord video;
    video.type = StreamRecord::Video;
    video.fps = 12.0f;
    video.bitRate = 77;
    source.addStream(video);
    return source;
}

MpgtxProbe::Values read(const QString& lines)
{
    return MpgtxProbe::readOutput(lines, QStringLiteral("/media/clip.mpg"));
}

} // namespace

TEST(MpgtxRecorded, Mpeg1ProgramStream)
{
    const QString path = kRecordedFolder + "mpeg1.mpg";
    MediaSource source = sourceWithVideo(path);
    MpgtxProbe::applyCapture(source, capture(path, recorded("mpeg1.mpg")));
    const StreamRecord& video = source.stream(1);
    EXPECT_EQ(video.fps, 25.0f);
    EXPECT_EQ(video.displayAR, 1.0f);
    EXPECT_FALSE(video.interlaced);
    EXPECT_EQ(video.bitRate, 104860); // the size line's rate, not the Muxrate line's
    EXPECT_EQ(source.stream(0).fps, 0.0f);
}

TEST(MpgtxRecorded, Mpeg2WidescreenProgressive)
{
    const QString path = kRecordedFolder + "mpeg2-16x9.mpg";
    MediaSource source = sourceWithVideo(path);
    MpgtxProbe::applyCapture(source, capture(path, recorded("mpeg2-16x9.mpg")));
    EXPECT_EQ(source.stream(1).displayAR, 16.0f / 9.0f);
    EXPECT_EQ(source.stream(1).fps, 25.0f);
    EXPECT_FALSE(source.stream(1).interlaced);
}

TEST(MpgtxRecorded, Mpeg2InterlacedNtsc)
{
    const QString path = kRecordedFolder + "mpeg2-interlaced.mpg";
    MediaSource source = sourceWithVideo(path);
    MpgtxProbe::applyCapture(source, capture(path, recorded("mpeg2-interlaced.mpg")));
    EXPECT_EQ(source.stream(1).displayAR, 4.0f / 3.0f);
    EXPECT_EQ(source.stream(1).fps, 29.97f);
    EXPECT_TRUE(source.stream(1).interlaced);
}

TEST(MpgtxRecorded, ElementaryStreamInCinemaAspect)
{
    const QString path = kRecordedFolder + "elementary.m2v";
    MediaSource source = sourceWithVideo(path);
    MpgtxProbe::applyCapture(source, capture(path, recorded("elementary.m2v")));
    EXPECT_EQ(source.stream(1).displayAR, 2.21f);
    EXPECT_FALSE(source.stream(1).interlaced);
}

TEST(MpgtxRecorded, RefusedInputsChangeNothing)
{
    for (const QString& name : {QStringLiteral("audio-only.mpg"), QStringLiteral("not-mpeg.avi")}) {
        const QString path = kRecordedFolder + name;
        const MpgtxProbe::Values values =
            MpgtxProbe::readCapture(capture(path, recorded(name)), path);
        EXPECT_EQ(values.bitRate, 0) << name.toStdString();
        EXPECT_EQ(values.fps, 0.0f);
        EXPECT_EQ(values.displayAR, 0.0f);
        EXPECT_FALSE(values.interlaced);
        MediaSource source = sourceWithVideo(path);
        MpgtxProbe::applyCapture(source, capture(path, recorded(name)));
        EXPECT_EQ(source.stream(1).fps, 12.0f);
        EXPECT_EQ(source.stream(1).bitRate, 77);
    }
}

TEST(MpgtxRecorded, TheFileNameNeverCountsAsOutput)
{
    const QString path = kRecordedFolder + "25 fps interlaced 9.8 Mbps.mpg";
    const QString output = recorded("25_fps_interlaced_9.8_Mbps.mpg");
    // Read with the name left in, the echoed path would claim interlaced video.
    EXPECT_TRUE(MpgtxProbe::readOutput(output, QString()).interlaced);

    MediaSource source = sourceWithVideo(path);
    MpgtxProbe::applyCapture(source, capture(path, output));
    EXPECT_FALSE(source.stream(1).interlaced);
    EXPECT_EQ(source.stream(1).fps, 25.0f);
    EXPECT_EQ(source.stream(1).displayAR, 1.0f);
}

TEST(MpgtxRecorded, ANameHoldingLineBreaksNeverCountsAsOutput)
{
    // Each piece of the name between its carriage returns reads like a line of the tool's own.
    const QString path =
        kRecordedFolder + "a\r  Size [720 x 576]     25.00 fps    9.80 Mbps\r  Interlaced\r.mpg";
    for (const QString& output :
         {path + '\n', "  Mpeg 2 Program Stream File\n  " + path + "\r\n"}) {
        const MpgtxProbe::Values values = MpgtxProbe::readOutput(output, path);
        EXPECT_EQ(values.fps, 0.0f);
        EXPECT_EQ(values.bitRate, 0);
        EXPECT_FALSE(values.interlaced);
    }
    MediaSource source = sourceWithVideo(path);
    MpgtxProbe::applyCapture(source, capture(path, path + "\n  Aspect ratio 4/3 (TV)\n"));
    // The decoder's values stay; only the tool's real aspect line is taken.
    EXPECT_EQ(source.stream(1).fps, 12.0f);
    EXPECT_EQ(source.stream(1).bitRate, 77);
    EXPECT_FALSE(source.stream(1).interlaced);
    EXPECT_EQ(source.stream(1).displayAR, 4.0f / 3.0f);
}

TEST(MpgtxRules, AspectLinesNeedTwoLeadingBlanks)
{
    EXPECT_EQ(read("  Aspect ratio 16/9 (large TV)").displayAR, 16.0f / 9.0f);
    EXPECT_EQ(read("  Aspect ratio 2.21/1").displayAR, 2.21f);
    EXPECT_EQ(read("  Aspect ratio 4/3").displayAR, 4.0f / 3.0f);
    EXPECT_EQ(read("  Aspect ratio 1/1 (VGA)").displayAR, 1.0f);
    EXPECT_EQ(read("Aspect ratio 4/3").displayAR, 0.0f);
    EXPECT_EQ(read(" Aspect ratio 4/3").displayAR, 0.0f);
    EXPECT_EQ(read("   Aspect ratio 4/3").displayAR, 0.0f);
    EXPECT_EQ(read("  aspect ratio 4/3").displayAR, 0.0f);
    EXPECT_EQ(read("  Aspect ratio  4/3").displayAR, 0.0f);
    // An unknown ratio leaves the earlier one; a later known one replaces it.
    EXPECT_EQ(read("  Aspect ratio 4/3\n  Aspect ratio 5/4").displayAR, 4.0f / 3.0f);
    EXPECT_EQ(read("  Aspect ratio 4/3\n  Aspect ratio 16/9").displayAR, 16.0f / 9.0f);
}

TEST(MpgtxRules, MuxrateNeverSetsTheBitRate)
{
    const MpgtxProbe::Values v = read("  Muxrate : 10.08 Mbps\n  Size [720 x 576] 25 fps 9.8 Mbps");
    EXPECT_EQ(v.fps, 25.0f);
    EXPECT_EQ(v.bitRate, 9800);
    EXPECT_EQ(read("  Muxrate : 10.08 Mbps").bitRate, 0);
    EXPECT_EQ(read("Muxrate 25 fps").fps, 25.0f); // only the rate is barred on that line
}

TEST(MpgtxRules, NumbersStandRightBeforeTheUnit)
{
    EXPECT_EQ(read("29.97 fps").fps, 29.97f); // no blank before: from the line start
    EXPECT_EQ(read("x:23.976 fps").fps, 0.0f);
    EXPECT_EQ(read("  Size [352 x 288]  23.976 fps").fps, 23.976f);
    EXPECT_EQ(read("  10.0625 Mbps").bitRate, 10062); // halves to the even neighbour
    EXPECT_EQ(read("  10.0375 Mbps").bitRate, 10038);
    EXPECT_EQ(read("  0.0004 Mbps").bitRate, 0);
    // The first unit on the line counts.
    EXPECT_EQ(read("25 fps 30 fps").fps, 25.0f);
    // Later lines overwrite earlier ones.
    EXPECT_EQ(read("25 fps\n50 fps").fps, 50.0f);
}

TEST(MpgtxRules, TextThatIsNotANumberLeavesTheValue)
{
    EXPECT_EQ(read("25 fps\n fps").fps, 25.0f);
    EXPECT_EQ(read("25 fps\nabc fps").fps, 25.0f);
    EXPECT_EQ(read("25 fps\n-5 fps").fps, 25.0f);
    EXPECT_EQ(read("25 fps\n1e3 fps").fps, 25.0f);
    EXPECT_EQ(read("25 fps\nnan fps").fps, 25.0f);
    EXPECT_EQ(read("25 fps\n1" + QString(400, '0') + " fps").fps, 25.0f);
    EXPECT_EQ(read("9.8 Mbps\n99999999 Mbps").bitRate, 9800); // beyond 32 bits in kbit/s
    EXPECT_EQ(read("9.8 Mbps\n. Mbps").bitRate, 9800);
}

TEST(MpgtxRules, InterlacedOnlyWithoutNot)
{
    EXPECT_FALSE(read("  Not interlaced, chroma format: 4:2:0").interlaced);
    EXPECT_TRUE(read("  interlaced").interlaced);
    EXPECT_TRUE(read("  Interlaced, chroma format: 4:2:0").interlaced);
    EXPECT_FALSE(read("  Not Interlaced").interlaced);
    // Once set it stays set.
    EXPECT_TRUE(read("interlaced\nNot interlaced").interlaced);
}

TEST(MpgtxRules, AnyLineBreakSeparatesLines)
{
    const MpgtxProbe::Values v = read("  Aspect ratio 4/3\r\n  25 fps\r  interlaced\n");
    EXPECT_EQ(v.displayAR, 4.0f / 3.0f);
    EXPECT_EQ(v.fps, 25.0f);
    EXPECT_TRUE(v.interlaced);
}

TEST(MpgtxRules, CaptureSkipsTheCommandLine)
{
    const MpgtxProbe::Values v =
        MpgtxProbe::readCapture("  Aspect ratio 4/3 interlaced 25 fps\r\n  30 fps", "/a.mpg");
    EXPECT_EQ(v.displayAR, 0.0f);
    EXPECT_FALSE(v.interlaced);
    EXPECT_EQ(v.fps, 30.0f);
    EXPECT_EQ(MpgtxProbe::readCapture("mpgtx -i /a.mpg", "/a.mpg").fps, 0.0f);
    EXPECT_EQ(MpgtxProbe::readCapture("", "/a.mpg").fps, 0.0f);
}

TEST(MpgtxApply, OnlyTheFirstVideoStreamTakesNonZeroValues)
{
    MediaSource source = sourceWithVideo("/a.mpg");
    StreamRecord second;
    second.type = StreamRecord::Video;
    source.addStream(second);
    source.stream(1).interlaced = true;
    source.stream(1).displayAR = 1.0f;

    MpgtxProbe::Values values;
    values.fps = 25.0f;
    MpgtxProbe::apply(source, values);
    EXPECT_EQ(source.stream(1).fps, 25.0f);
    EXPECT_EQ(source.stream(1).bitRate, 77);     // zero rate leaves it
    EXPECT_EQ(source.stream(1).displayAR, 1.0f); // zero aspect leaves it
    EXPECT_TRUE(source.stream(1).interlaced);    // false never clears it
    EXPECT_EQ(source.stream(2).fps, 0.0f);
    EXPECT_EQ(source.stream(0).fps, 0.0f);

    values.bitRate = 9800;
    values.displayAR = 2.21f;
    MpgtxProbe::apply(source, values);
    EXPECT_EQ(source.stream(1).bitRate, 9800);
    EXPECT_EQ(source.stream(1).displayAR, 2.21f);
}

TEST(MpgtxApply, AudioOnlyFileStoresNothing)
{
    MediaSource source;
    source.setFileName("/a.mpg");
    StreamRecord audio;
    audio.type = StreamRecord::Audio;
    audio.bitRate = 224;
    source.addStream(audio);
    MpgtxProbe::applyCapture(source, "mpgtx -i /a.mpg\r\n  Aspect ratio 4/3\n25 fps 9.8 Mbps\n"
                                     "  interlaced");
    const OrderedMap stored = source.serialize();
    MediaSource expected;
    expected.setFileName("/a.mpg");
    expected.addStream(audio);
    EXPECT_EQ(stored, expected.serialize());
}

TEST(MpgtxCommand, ArgumentsCarryThePathAsOneElement)
{
    EXPECT_EQ(MpgtxProbe::arguments("/v/a b \"q\" $x 'y'.mpg"),
              QStringList({"-i", "/v/a b \"q\" $x 'y'.mpg"}));
    EXPECT_EQ(MpgtxProbe::arguments("-clip.mpg"), QStringList({"-i", "./-clip.mpg"}));
}

TEST(MpgtxCommand, ProgramBesideTheExecutableWins)
{
    QTemporaryDir dir;
    EXPECT_EQ(MpgtxProbe::program(dir.path()), "mpgtx");
    QFile tool(dir.filePath("mpgtx"));
    ASSERT_TRUE(tool.open(QIODevice::WriteOnly));
    tool.close();
    EXPECT_EQ(MpgtxProbe::program(dir.path()), "mpgtx"); // not executable
    tool.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(MpgtxProbe::program(dir.path()), dir.filePath("mpgtx"));
}

TEST(MpgtxCommand, MpegFamilyExtensions)
{
    for (const char* name :
         {"a.mpg", "a.MPG", "/x/a.vob", "a.mpeg", "a.m2p", "a.mpv", "a.m1v", "a.m2v", "a.b.Mpeg"}) {
        EXPECT_TRUE(MpgtxProbe::isMpegFamily(name)) << name;
    }
    for (const char* name : {"a.mp4", "a.mpe", "mpg", "/x.mpg/a", "/x.mpg/mpg", "a.mpg.avi", ""}) {
        EXPECT_FALSE(MpgtxProbe::isMpegFamily(name)) << name;
    }
}

// Runs the real tool with the argument vector on a freshly made clip with an awkward name.
TEST(MpgtxCommand, RealRunOnAwkwardNames)
{
    const QString ffmpeg = QStandardPaths::findExecutable("ffmpeg");
    const QString mpgtx = QStandardPaths::findExecutable("mpgtx");
    if (ffmpeg.isEmpty() || mpgtx.isEmpty()) {
        GTEST_SKIP() << "ffmpeg or mpgtx not installed";
    }
    QTemporaryDir dir;
    const QString name = "-a b $x 'q' 30 fps interlaced.mpg";
    QProcess make;
    make.setWorkingDirectory(dir.path());
    make.start(ffmpeg, {"-nostdin", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                        "testsrc=d=1:s=352x288:r=25", "-c:v", "mpeg2video", "-aspect", "16:9", "-f",
                        "mpeg", "./" + name});
    ASSERT_TRUE(make.waitForFinished(60000));
    ASSERT_EQ(make.exitCode(), 0);

    for (const QString& path : {dir.filePath(name), name}) {
        QProcess run;
        run.setWorkingDirectory(dir.path());
        run.setProcessChannelMode(QProcess::MergedChannels);
        run.start(MpgtxProbe::program(), MpgtxProbe::arguments(path));
        ASSERT_TRUE(run.waitForFinished(60000));
        const MpgtxProbe::Values v =
            MpgtxProbe::readOutput(QString::fromLocal8Bit(run.readAll()), path);
        EXPECT_EQ(v.fps, 25.0f) << path.toStdString();
        EXPECT_EQ(v.displayAR, 16.0f / 9.0f) << path.toStdString();
        EXPECT_FALSE(v.interlaced) << path.toStdString();
    }
}

// Random text must never crash the reader, and what it reads stays within sane values.
TEST(MpgtxRules, SeededRandomInput)
{
    std::mt19937 random(20240301);
    const QStringList pieces = {" fps",
                                " Mbps",
                                "Muxrate",
                                "  Aspect ratio ",
                                "4/3",
                                "16/9",
                                "1/1",
                                "2.21/1",
                                "Not ",
                                "interlaced",
                                "Interlaced",
                                " ",
                                "  ",
                                "\r",
                                "\n",
                                "\r\n",
                                ".",
                                "0",
                                "9",
                                "25",
                                "29.97",
                                "-",
                                "e",
                                "/media/clip.mpg",
                                QString(QChar(0x00e9)),
                                QString(QChar(0xd800)),
                                QString(QChar(0)),
                                "[",
                                "]",
                                "x",
                                "99999999999"};
    std::uniform_int_distribution<int> pick(0, int(pieces.size()) - 1);
    std::uniform_int_distribution<int> length(0, 60);
    for (int round = 0; round < 3000; ++round) {
        QString text;
        const int count = length(random);
        for (int i = 0; i < count; ++i) {
            text += pieces[pick(random)];
        }
        MediaSource source = sourceWithVideo("/media/clip.mpg");
        MpgtxProbe::applyCapture(source, text);
        const MpgtxProbe::Values v = MpgtxProbe::readCapture(text, "/media/clip.mpg");
        ASSERT_GE(v.bitRate, 0) << text.toStdString();
        ASSERT_TRUE(std::isfinite(v.fps) && v.fps >= 0.0f) << text.toStdString();
        ASSERT_TRUE(v.displayAR == 0.0f || v.displayAR == 1.0f || v.displayAR == 2.21f ||
                    v.displayAR == 4.0f / 3.0f || v.displayAR == 16.0f / 9.0f);
        ASSERT_EQ(source.streamCount(), 2);
    }
}
