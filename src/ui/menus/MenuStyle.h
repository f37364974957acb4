#pragma once

#include <QString>

// The look of the menu bar and its drop-downs, so they read as part of the skin.
namespace MenuStyle {

QString styleSheet();

} // namespace MenuStyle
