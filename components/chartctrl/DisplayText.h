#pragma once

#include <QString>

#include <string_view>

namespace quorex::chart {

// Text for the screen from bytes the user typed: UTF-8 when it is valid, else Shift-JIS
// (CP932), as settings files written on Windows hold it. Runs of blanks and control
// characters become one space; the ends are trimmed.
QString DisplayText(std::string_view bytes);

} // namespace quorex::chart
