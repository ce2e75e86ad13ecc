#pragma once

#include "ChartDefinition.h"
#include "ChartParams.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace quorex::chart {

// What one definition text gives: the chart Add takes (none: refused), whether the text
// holds no item at all, and what is wrong with it for the user.
struct DefinitionReading {
    std::optional<ChartDefinition> definition;
    bool blank = false;
    std::string problems;
};

DefinitionReading ReadDefinition(std::string_view text);

// The readings of definition and parameter texts through one bounded cache per process,
// shared by every control on every thread: each distinct text is parsed once.
std::shared_ptr<const DefinitionReading> CachedDefinition(std::string_view text);
std::shared_ptr<const ChartParams> CachedParams(std::string_view text);

// Parses the caches have done so far, and what they hold now.
struct ParseCacheState {
    std::size_t definitionParses = 0;
    std::size_t parameterParses = 0;
    std::size_t definitionsHeld = 0;
    std::size_t parametersHeld = 0;
};
ParseCacheState CachedParseState();

inline constexpr std::size_t kCachedDefinitions = 256;
inline constexpr std::size_t kCachedParameters = 64;

} // namespace quorex::chart
