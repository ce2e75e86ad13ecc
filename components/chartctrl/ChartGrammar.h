#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorex::chart {

// One item of a definition or parameter string: `Name` or `Name=Value`.
struct GrammarItem {
    std::string name;
    std::string value;
    bool hasValue = false;

    bool operator==(const GrammarItem&) const = default;
};

// Splits a definition or parameter string into items. Items are separated by ';' and/or
// blanks (tabs and line breaks count as blanks). Blanks around '=' and after a ',' inside
// a value are tolerated, so "MA = 5, 25" reads as MA with "5,25". Items without a name are
// dropped. Any bytes are accepted; a NUL byte ends the text.
std::vector<GrammarItem> ParseItems(std::string_view text);

// ASCII case-insensitive comparison; other bytes compare exactly.
bool EqualsNoCase(std::string_view a, std::string_view b);

// A whole decimal integer with an optional sign; values beyond 64 bits saturate.
// Anything else (empty, trailing bytes) gives nothing.
std::optional<std::int64_t> ParseInteger(std::string_view text);

// The integer of an item clamped to [lo, hi]; nothing when there is no integer value.
std::optional<int> ItemInteger(const GrammarItem& item, int lo, int hi);

// A 0|1 switch: any non-zero integer is on, and a bare name switches it on.
std::optional<bool> ItemFlag(const GrammarItem& item);

} // namespace quorex::chart
