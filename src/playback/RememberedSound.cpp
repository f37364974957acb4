#include "playback/RememberedSound.h"

#include <algorithm>

RememberedSound::Level RememberedSound::load(const UserStore& store)
{
    Level level;
    level.volume = parseVolume(store.readString(Key, VolumeValue)).value_or(level.volume);
    level.muted = store.readString(Key, MuteValue) == QStringLiteral("1");
    return level;
}

bool RememberedSound::save(UserStore& store, const Level& level)
{
    const int volume = std::clamp(level.volume, 0, 100);
    return store.writeStrings(
        {{Key, VolumeValue, QString::number(volume)},
         {Key, MuteValue, level.muted ? QStringLiteral("1") : QStringLiteral("0")}});
}

std::optional<int> RememberedSound::parseVolume(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > 3 ||
        !std::all_of(trimmed.begin(), trimmed.end(),
                     [](QChar c) { return c >= u'0' && c <= u'9'; })) {
        return std::nullopt;
    }
    const int volume = trimmed.toInt();
    if (volume > 100) {
        return std::nullopt;
    }
    return volume;
}
