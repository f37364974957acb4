// The RIFF walker and the AVI audio delay reader, on a file holding the input: the walk only moves
// forward and ends, and every delay is a measurement or one of the two markers.
#include "FuzzSupport.h"
#include "mediainfo/AviDelayReader.h"
#include "mediainfo/RiffParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::inputFile(fuzz::bytes(data, size), "input.avi");

    RiffParser parser;
    if (parser.open(path)) {
        qint64 last = parser.position();
        // Every item is at least its 8-byte header, so the walk ends within size / 8 items.
        for (size_t items = 0;; ++items) {
            fuzz::check(items <= size / 8 + 1, "the walk ends");
            if (!parser.readChunk() || parser.chunkType == QLatin1String("eof")) {
                break;
            }
            fuzz::check(parser.position() > last, "the walk moves forward");
            fuzz::check(parser.position() <= qint64(size), "the walk stays inside the file");
            last = parser.position();
            if (parser.chunkType == QLatin1String("chunk")) {
                fuzz::check(parser.chunkSize >= 0 && parser.chunkSize % 2 == 0,
                            "chunk sizes are even and not negative");
            }
        }
    }

    AviDelayReader reader;
    const bool opened = reader.open(path);
    if (!opened) {
        fuzz::check(reader.streamCount() == 0, "a refused file has no streams");
    }
    for (int i = 0; i < reader.streamCount(); ++i) {
        const qint32 delay = reader.StreamDelay(i);
        fuzz::check(delay >= AviDelayReader::DelayNoFrameStart, "a delay is known or marked");
        fuzz::check(reader.streams()[size_t(i)].header.dwRate != 0, "no stream rate is zero");
    }
    fuzz::check(reader.StreamDelay(reader.streamCount()) == AviDelayReader::DelayUnknown,
                "past the streams the delay is unknown");
    return 0;
}
