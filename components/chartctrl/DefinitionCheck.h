#pragma once

#include <string>
#include <string_view>

namespace quorex::chart {

// What is wrong with a chart definition, for the user: one line of Japanese (UTF-8), empty
// when nothing is. Options and values that ParseDefinition ignores count as faults here,
// though the chart is still added; several faults give the first and how many more.
std::string DefinitionProblems(std::string_view text);

} // namespace quorex::chart
