// The MPEG tool's text: every value read is in range, and the file's name never stands in for
// what the tool found.
#include "FuzzSupport.h"
#include "mediainfo/MediaSource.h"
#include "mediainfo/MpgtxProbe.h"

#include <cmath>

namespace {

void checkValues(const MpgtxProbe::Values& values)
{
    fuzz::check(std::isfinite(values.fps) && values.fps >= 0.0f, "the frame rate is finite");
    fuzz::check(values.bitRate >= 0, "the bit rate is not negative");
    fuzz::check(std::isfinite(values.displayAR) && values.displayAR >= 0.0f,
                "the aspect is finite");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The input's first line is the media path, the rest the captured text.
    const QString all = QString::fromUtf8(fuzz::bytes(data, size));
    const qsizetype end = all.indexOf(u'\n');
    const QString path = end < 0 ? QString() : all.left(end);
    const QString text = end < 0 ? all : all.mid(end + 1);

    checkValues(MpgtxProbe::readOutput(text, path));
    checkValues(MpgtxProbe::readCapture(text, path));

    // Only the path, repeated, says nothing.
    if (!path.isEmpty()) {
        const MpgtxProbe::Values alone = MpgtxProbe::readOutput(path + u'\n' + path, path);
        fuzz::check(alone.fps == 0.0f && alone.bitRate == 0 && !alone.interlaced &&
                        alone.displayAR == 0.0f,
                    "the path alone gives no values");
        const MpgtxProbe::Values echoed =
            MpgtxProbe::readCapture("mpgtx -i " + path + "\r\n" + path + u'\n', path);
        fuzz::check(echoed.fps == 0.0f && echoed.bitRate == 0 && !echoed.interlaced &&
                        echoed.displayAR == 0.0f,
                    "the path on the command line and echoed gives no values");
    }

    MediaSource source;
    MpgtxProbe::applyCapture(source, text);
    fuzz::check(source.streamCount() == 0, "nothing is stored without a video stream");
    return 0;
}
