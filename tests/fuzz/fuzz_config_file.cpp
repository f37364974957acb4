// The settings file: whatever the reader takes is written so that it reads back the same, and the
// value-by-value reader must agree with it and name only lines that exist.
#include "FuzzSupport.h"
#include "settings/ConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray input = fuzz::bytes(data, size);

    QList<int> badLines;
    const Settings defaults;
    const Settings mended = ConfigFile::parse(input, defaults, badLines);
    for (const int line : badLines) {
        fuzz::check(line >= 0 && line < ConfigFile::ValueCount, "a bad line is one of the values");
    }
    // Writing makes every value one line (a line break in a string becomes a blank), so the
    // written file, not the record, is what must come back.
    const QByteArray written = ConfigFile::format(mended);
    const std::optional<Settings> mendedAgain = ConfigFile::parse(written);
    fuzz::check(mendedAgain.has_value(), "mended settings are written readably");
    fuzz::check(ConfigFile::format(*mendedAgain) == written, "mended settings read back the same");

    const std::optional<Settings> strict = ConfigFile::parse(input);
    if (!strict) {
        fuzz::check(!badLines.isEmpty(), "a refused file names at least one bad line");
        return 0;
    }
    fuzz::check(badLines.isEmpty(), "an accepted file has no bad lines");
    fuzz::check(mended == *strict, "both readers agree on an accepted file");
    const std::optional<Settings> again = ConfigFile::parse(ConfigFile::format(*strict));
    fuzz::check(again.has_value(), "accepted settings are written readably");
    fuzz::check(ConfigFile::format(*again) == ConfigFile::format(*strict),
                "accepted settings read back the same");
    return 0;
}
