#pragma once

#include <string>
#include <vector>

namespace mosgrid {

// Call before the QApplication is made. A run that shows no window (printing, exporting)
// works without a display: it takes Qt's offscreen platform when nothing else was chosen.
// An export also keeps Qt's own notes off standard error, where its one-line failure goes.
void PrepareWindowlessRun(const std::vector<std::string>& args);

} // namespace mosgrid
