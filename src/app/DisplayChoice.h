#pragma once

#include <QString>

#include <string>
#include <vector>

namespace mosgrid {

// What decides where the program's windows can appear: the environment Qt reads.
struct DisplayEnvironment {
    std::string qpaPlatform;     // QT_QPA_PLATFORM
    std::string display;         // DISPLAY
    std::string waylandDisplay;  // WAYLAND_DISPLAY

    static DisplayEnvironment OfProcess();
};

// The Qt platform plugin a run that shows no window (printing, exporting) must ask for
// before QApplication is made: "offscreen" when no display is named and neither the
// environment nor Qt's own options (-platform, -display) choose one; empty to leave Qt its
// own choice. args: argv[1..] before Qt has taken its options out.
std::string PlatformForWindowlessRun(const DisplayEnvironment& environment,
                                     const std::vector<std::string>& args);

// Whether windows on this Qt platform can be seen by anyone.
bool IsScreenlessPlatform(const QString& platformName);

} // namespace mosgrid
