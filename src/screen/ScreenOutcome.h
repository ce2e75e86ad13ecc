#pragma once

#include <cstdint>

namespace mosgrid {

// What a condition says of one security. NotEvaluable: the series is too short (or absent)
// for a value the condition needs.
enum class ScreenOutcome : std::uint8_t { Pending, Holds, Fails, NotEvaluable };

} // namespace mosgrid
