#pragma once

#include <cstdint>

// What a condition says of one security. NotEvaluable: the series is too short (or absent)
// for a value the condition needs.
enum class ScreenOutcome : std::uint8_t { Pending, Holds, Fails, NotEvaluable };
