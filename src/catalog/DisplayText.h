#pragma once

#include <QString>

#include <string_view>

namespace mosgrid {

// Screen text for bytes taken from a list file: UTF-8 when the bytes are valid UTF-8,
// otherwise Shift-JIS (CP932). Bytes that are neither show as U+FFFD.
QString DisplayText(std::string_view bytes);

} // namespace mosgrid
