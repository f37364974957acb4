#pragma once

#include "settings/SettingsStore.h"

#include <QString>
#include <optional>

// The caption text for the playing entry as TitleBarMode asks: file name, full path or the
// product alone. None when the stored mode is unknown: the caption then stays as it is.
std::optional<QString> windowCaption(std::optional<TitleBarMode> mode, const QString& title,
                                     const QString& path);
