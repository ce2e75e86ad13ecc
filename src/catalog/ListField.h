#pragma once

namespace mosgrid {

// The comma-separated fields of a list line, by position.
enum ListField { fieldType = 0, fieldSource = 1, fieldCode = 2, fieldName = 3 };

constexpr int kListFieldCount = 4;

} // namespace mosgrid
