#pragma once

#include <optional>
#include <string_view>
#include <vector>

namespace quorex::chart {

// "12,26,9": every entry an integer in [lo, hi], at least one and at most `most`; nothing
// otherwise (an empty entry counts as a bad one).
std::optional<std::vector<int>> IntegerList(std::string_view list, std::size_t most, int lo,
                                            int hi);

// "2", "2.5", "0.75": a plain decimal number; nothing for anything else.
std::optional<double> DecimalValue(std::string_view text);

// The entries of a comma-separated list, empty ones included.
std::vector<std::string_view> ListEntries(std::string_view list);

} // namespace quorex::chart
