#pragma once

#include <cstdint>
#include <string>

namespace mosgrid {

// The type field of a list line as the catalog reads it: strtol in base 10 (leading white
// space, an optional sign, decimal digits up to the first other byte; 0 without digits),
// saturated to the signed 32-bit range whatever the width of long.
std::int32_t ParseTypeField(const std::string& field);

} // namespace mosgrid
