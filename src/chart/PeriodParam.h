#pragma once

#include "settings/ViewChoices.h"

#include <string>

namespace mosgrid {

// The chart control's common parameter that draws every Daily, Weekly and Monthly chart (and
// Volume with them) in one period.
inline constexpr char kPeriodParamName[] = "Period";

// The common parameters with the period switch applied: unchanged for the definitions' own
// periods, else with "; Period=Daily|Weekly|Monthly" after them (the last word counts, so
// it wins over a period the stored parameters name). The stored settings are not touched.
std::string WithPeriod(const std::string& parameters, PeriodChoice period);

} // namespace mosgrid
