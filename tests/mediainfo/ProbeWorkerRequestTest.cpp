#include "mediainfo/ProbeWorkerRequest.h"

#include "mediainfo/DecoderProbe.h"

#include <gtest/gtest.h>

namespace {

struct ShapeCase
{
    const char* name;
    QStringList arguments;
    bool accepted;
    QByteArray key = {};   // an item the request must carry
    QByteArray value = {}; // and its value
};

std::ostream& operator<<(std::ostream& out, const ShapeCase& c)
{
    return out << c.name;
}

const QString Ffmpeg = QStringLiteral("/usr/bin/ffmpeg");

QStringList thumb(const QStringList& extra = {})
{
    QStringList args =
        DecoderProbe::thumbnailArguments("/media/a b.mp4", 90, 68, 1.5f, "/run/k/t-0.jpg");
    const qsizetype output = args.size() - 1;
    for (qsizetype i = 0; i < extra.size(); ++i) {
        args.insert(output + i, extra[i]);
    }
    return args;
}

class DescribeShape : public ::testing::TestWithParam<ShapeCase>
{};

TEST_P(DescribeShape, IsAnsweredByTheWorkerOnlyWhenTheProgramWouldDescribe)
{
    const ShapeCase& c = GetParam();
    const auto request = ProbeWorkerRequest::fromDescribeCommand(c.arguments);
    ASSERT_EQ(request.has_value(), c.accepted);
    if (request && !c.key.isEmpty()) {
        EXPECT_EQ(request->value(c.key), c.value);
        EXPECT_EQ(request->kind, "describe");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, DescribeShape,
    ::testing::Values(
        ShapeCase{"ProbeCommand", QStringList(Ffmpeg) + DecoderProbe::probeArguments("/m/a b.avi"),
                  true, "input", "file:/m/a b.avi"},
        // A NUL ends an item in the frame, so it would smuggle in an input of its own.
        ShapeCase{"NulInOptionValue",
                  {Ffmpeg, "-probesize", QString("1M") + QChar(0) + "input=/etc/passwd", "-i",
                   "file:/m/a.avi"},
                  false},
        ShapeCase{"InputOptionApplies",
                  {Ffmpeg, "-probesize", "1M", "-i", "file:/m/a.avi"},
                  true,
                  "format.probesize",
                  "1M"},
        ShapeCase{
            "BannerHidden", {Ffmpeg, "-hide_banner", "-i", "/m/a.avi"}, true, "input", "/m/a.avi"},
        ShapeCase{"OtherProgram",
                  QStringList("/usr/bin/mpgtx") << "-i"
                                                << "/m/a.mpg",
                  false},
        ShapeCase{"ProgramOfAnotherName", {"/usr/bin/ffmpeg-old", "-i", "/m/a.avi"}, false},
        ShapeCase{"NoInput", {Ffmpeg, "-analyzeduration", "30000"}, false},
        ShapeCase{"RelativeInput", {Ffmpeg, "-i", "a.avi"}, false},
        ShapeCase{"PipeInput", {Ffmpeg, "-i", "pipe:0"}, false},
        ShapeCase{"AnOutputFollows", {Ffmpeg, "-i", "file:/m/a.avi", "/tmp/out.wav"}, false},
        ShapeCase{"UnknownInputOption", {Ffmpeg, "-f", "mp3", "-i", "file:/m/a.avi"}, false},
        ShapeCase{"LogLevelChangesTheText", {Ffmpeg, "-v", "error", "-i", "file:/m/a.avi"}, false},
        ShapeCase{"TwoInputs", {Ffmpeg, "-i", "file:/m/a.avi", "-i", "file:/m/b.avi"}, false}),
    [](const ::testing::TestParamInfo<ShapeCase>& p) { return std::string(p.param.name); });

class ThumbnailShape : public ::testing::TestWithParam<ShapeCase>
{};

TEST_P(ThumbnailShape, IsAnsweredByTheWorkerOnlyWhenItCanDrawThePicture)
{
    const ShapeCase& c = GetParam();
    const auto request = ProbeWorkerRequest::fromThumbnailArguments(c.arguments);
    ASSERT_EQ(request.has_value(), c.accepted);
    if (request) {
        EXPECT_EQ(request->kind, "thumbnail");
        EXPECT_EQ(request->value("output"), "/run/k/t-0.jpg");
        if (!c.key.isEmpty()) {
            EXPECT_EQ(request->value(c.key), c.value);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, ThumbnailShape,
    ::testing::Values(
        ShapeCase{"ProbeCommandSize", thumb(), true, "width", "90"},
        ShapeCase{"ProbeCommandSeek", thumb(), true, "seek", "1.5"},
        ShapeCase{"ProbeCommandInput", thumb(), true, "input", "file:/media/a b.mp4"},
        ShapeCase{"AnalyzeDuration", thumb(), true, "format.analyzeduration", "5M"},
        ShapeCase{"CoverArtStreamMap", thumb({"-map", "0:v:0"}), true, "stream", "v:0"},
        ShapeCase{"OptionalStreamMap", thumb({"-map", "0:2?"}), true, "stream", "2"},
        ShapeCase{"JpegCodecNamed", thumb({"-c:v", "mjpeg", "-q:v", "3"}), true},
        ShapeCase{"FilterChangesThePicture", thumb({"-vf", "hflip"}), false},
        ShapeCase{"MapOfAnotherInput", thumb({"-map", "1:v"}), false},
        ShapeCase{"TwoFrames",
                  QStringList{"-i", "/m/a.avi", "-frames:v", "2", "-s", "90x68", "/run/k/t-0.jpg"},
                  false},
        ShapeCase{"OddlyWrittenSize", QStringList{"-i", "/m/a.avi", "-s", "90x", "/run/k/t-0.jpg"},
                  false},
        ShapeCase{"NoSize", QStringList{"-i", "/m/a.avi", "/run/k/t-0.jpg"}, false},
        ShapeCase{"NulInOptionValue",
                  QStringList{"-analyzeduration", QString("5") + QChar(0) + "output=/home/a/x",
                              "-i", "/m/a.avi", "-s", "90x68", "/run/k/t-0.jpg"},
                  false},
        ShapeCase{"RelativeOutput", QStringList{"-i", "/m/a.avi", "-s", "90x68", "t.jpg"}, false},
        ShapeCase{"NegativeSeek",
                  QStringList{"-ss", "-4", "-i", "/m/a.avi", "-s", "90x68", "/run/k/t-0.jpg"},
                  false},
        ShapeCase{"OutputFormatOtherThanJpeg",
                  QStringList{"-i", "/m/a.avi", "-s", "90x68", "-f", "png", "/run/k/t-0.jpg"},
                  false}),
    [](const ::testing::TestParamInfo<ShapeCase>& p) { return std::string(p.param.name); });

TEST(ProbeWorkerRequestFrame, CarriesEveryItemWhatEverItHolds)
{
    const ProbeWorkerRequest request{"describe",
                                     {{"input", "file:/m/new\nline = x.avi"}, {"seek", "0"}}};
    const QByteArray frame = request.frame(42);
    const QByteArray body = QByteArray("input=file:/m/new\nline = x.avi") + '\0' + "seek=0" + '\0';
    EXPECT_EQ(frame, "42 describe " + QByteArray::number(body.size()) + '\n' + body);
}

struct AnswerCase
{
    const char* name;
    QByteArray line;
    bool read;
    quint64 id = 0;
    bool ok = false;
    qsizetype length = 0;
};

std::ostream& operator<<(std::ostream& out, const AnswerCase& c)
{
    return out << c.name;
}

class AnswerHeaderLine : public ::testing::TestWithParam<AnswerCase>
{};

TEST_P(AnswerHeaderLine, IsReadOnlyWhenWhole)
{
    const AnswerCase& c = GetParam();
    const auto header = ProbeWorkerRequest::readAnswerHeader(c.line);
    ASSERT_EQ(header.has_value(), c.read);
    if (header) {
        EXPECT_EQ(header->id, c.id);
        EXPECT_EQ(header->ok, c.ok);
        EXPECT_EQ(header->length, c.length);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, AnswerHeaderLine,
    ::testing::Values(AnswerCase{"Ok", "7 ok 12", true, 7, true, 12},
                      AnswerCase{"Failed", "7 failed 0", true, 7, false, 0},
                      AnswerCase{"AnyOtherStatusFails", "7 OK 3", true, 7, false, 3},
                      AnswerCase{"LargestId", "18446744073709551615 ok 1", true,
                                 18446744073709551615ull, true, 1},
                      AnswerCase{"IdPastItsRange", "18446744073709551616 ok 1", false},
                      AnswerCase{"NegativeLength", "7 ok -1", false},
                      AnswerCase{"NoLength", "7 ok", false},
                      AnswerCase{"TextForLength", "7 ok twelve", false},
                      AnswerCase{"TextForId", "x ok 1", false},
                      AnswerCase{"MoreParts", "7 ok 1 2", false},
                      AnswerCase{"DoubleBlank", "7  ok 1", false}, AnswerCase{"Empty", "", false}),
    [](const ::testing::TestParamInfo<AnswerCase>& p) { return std::string(p.param.name); });

} // namespace
