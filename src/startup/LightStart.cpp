#include "startup/LightStart.h"

#include "instance/PosixInstanceChannel.h"
#include "settings/ConfigFile.h"
#include "startup/StartDecision.h"
#include "system/FileUserStore.h"
#include "util/RegularFile.h"

#include <QCoreApplication>

namespace {

// UseNewPlayer as the full start would load it; nothing when the file is missing or would be
// replaced by the defaults.
std::optional<bool> storedUseNewPlayer()
{
    const korvane::RegularFileRead file =
        korvane::readRegularFile(ConfigFile::defaultPath(), ConfigFile::MaxFileBytes);
    if (file.status != korvane::RegularFileRead::Status::Read ||
        file.bytes.size() > ConfigFile::MaxFileBytes) {
        return std::nullopt;
    }
    Settings defaults;
    defaults.openMode = OpenMode::SamePlayer;
    QList<int> bad;
    const Settings settings = ConfigFile::parse(file.bytes, defaults, bad);
    if (bad.size() == ConfigFile::ValueCount) {
        return std::nullopt;
    }
    return settings.openMode != OpenMode::SamePlayer;
}

} // namespace

bool LightStart::handedOver(int argc, char** argv, const QString& forwardingText)
{
    // The core application only, for the standard paths: no display.
    int count = argc;
    QCoreApplication core(count, argv);
    // Whenever the settings need more than reading, the full start decides, as it does here.
    const std::optional<bool> useNewPlayer = storedUseNewPlayer();
    if (!useNewPlayer) {
        return false;
    }
    const FileUserStore store;
    PosixInstanceChannel channel;
    return StartDecision::handsOver(store, *useNewPlayer, forwardingText, channel);
}
