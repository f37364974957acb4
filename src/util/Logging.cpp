#include "util/Logging.h"

// Off unless QT_LOGGING_RULES="korvane.*=true" asks for them.
Q_LOGGING_CATEGORY(lcApp, "korvane.app", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlayback, "korvane.playback", QtWarningMsg)
Q_LOGGING_CATEGORY(lcPlaylist, "korvane.playlist", QtWarningMsg)
Q_LOGGING_CATEGORY(lcMediaInfo, "korvane.mediainfo", QtWarningMsg)
Q_LOGGING_CATEGORY(lcUi, "korvane.ui", QtWarningMsg)
Q_LOGGING_CATEGORY(lcSystem, "korvane.system", QtWarningMsg)
