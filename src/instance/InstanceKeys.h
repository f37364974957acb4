#pragma once

#include <QLatin1StringView>

// Where a running player leaves the names of its hand-over sockets in the per-user store, for
// later starts to find.
namespace InstanceKeys {
inline constexpr QLatin1StringView kSettingKey{"Software\\Taskel Media Player\\Setting"};
inline constexpr QLatin1StringView kCommandValue{"txtHwnd"};
inline constexpr QLatin1StringView kCheckValue{"txtHwnd1"};
} // namespace InstanceKeys
