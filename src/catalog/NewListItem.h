#pragma once

#include <cstdint>
#include <string>

namespace mosgrid {

// A security to be written as a new list line. Code and name are text (UTF-8), written in
// the list's encoding; the source is a path and goes into the line as its bytes stand, since
// the data library opens exactly those bytes.
struct NewListItem {
    std::int32_t type = 0;
    std::string source;
    std::string code;
    std::string name;
};

} // namespace mosgrid
