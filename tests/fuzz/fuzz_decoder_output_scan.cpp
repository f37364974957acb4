// The decoder's text about a file: the scan gives a reason for every refusal, a finite duration,
// and only audio or video records with the decoder's one-digit stream numbers.
#include "FuzzSupport.h"
#include "mediainfo/CodecMaps.h"
#include "mediainfo/DecoderOutputScan.h"
#include "mediainfo/MediaSource.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const CodecMaps maps = CodecMaps::loadFrom(QStringLiteral(KORVANE_SOURCE_DIR "/data"));
    const QString text = QString::fromUtf8(fuzz::bytes(data, size));

    MediaSource source;
    DecoderOutputScan scan(maps, QStringLiteral("/tmp/clip.avi"),
                           {QStringLiteral("/tmp/clip.avi"), QStringLiteral("file:/tmp/clip.avi")});
    if (scan.read(text, source)) {
        fuzz::check(std::isfinite(source.duration()) && source.duration() >= 0.0f,
                    "an accepted file has a finite duration");
    } else {
        fuzz::check(!scan.reason().isEmpty(), "a refusal has a reason");
    }
    fuzz::check(std::isfinite(source.startTime()), "the start time is finite");
    for (const StreamRecord& stream : source.streams()) {
        fuzz::check(stream.isAudio() || stream.isVideo(), "records are audio or video");
        fuzz::check(stream.index >= 0 && stream.index <= 9, "stream numbers are one digit");
    }

    // The helpers the scan uses, on every line of the text.
    for (const QString& line : text.split(u'\n')) {
        const float seconds = DecoderOutputScan::parseDuration(line);
        fuzz::check(std::isfinite(seconds) && seconds >= 0.0f, "a duration is finite");
        fuzz::check(DecoderOutputScan::channelCount(line) >= 0, "a channel count is not negative");
        for (const QString& item : DecoderOutputScan::streamItems(line)) {
            fuzz::check(!item.contains(QStringLiteral(", ")),
                        "stream items are split at their separators");
        }
        const QString raw = DecoderOutputScan::rawCodecItem(line);
        fuzz::check(line.startsWith(raw), "the codec item is the start of the line");
    }
    return 0;
}
