#pragma once

#include <cstdint>
#include <string>

namespace mosgrid {

// What the data library needs of one security: the list line's bytes as they stand.
struct ScreenItem {
    std::int32_t type = 0;
    std::string source;
    std::string code;
};

// How far a run has come.
struct ScreenCounts {
    int total = 0;
    int evaluated = 0;
    int holds = 0;
    int notEvaluable = 0;

    bool complete() const { return evaluated == total; }
};

} // namespace mosgrid
