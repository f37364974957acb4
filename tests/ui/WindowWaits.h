#pragma once

// How long a test waits for a window to be mapped or activated. On a loaded machine the window
// manager on Xvfb has taken longer than Qt's own 5 s.
inline constexpr int kWindowWaitMs = 30000;
