#pragma once

#include <QIcon>

// Korvane's own icon, drawn at every size it is asked for.
QIcon korvaneIcon();
