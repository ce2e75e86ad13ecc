#pragma once

#include <string>
#include <vector>

// A run that shows no window (an export from the command line) works without a display:
// it takes Qt's offscreen platform when no platform was chosen and there is no display.
bool NeedsOffscreenPlatform(bool windowless, const char* chosenPlatform, const char* x11Display,
                            const char* waylandDisplay);

// Call before the QApplication is made. For a windowless run: the offscreen platform when
// needed, and Qt's own notes kept off standard error, where the run's one-line failure goes.
void PrepareWindowlessRun(const std::vector<std::string>& args);
