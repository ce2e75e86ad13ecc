#pragma once

#include <string>

namespace benchscreen {

inline constexpr int kBars = 260;

// A catalog of `count` securities in folder: folder/prices/<code>.csv (Yahoo CSV, kBars
// weekdays of a random walk ending 2026-12-04, days of up to ±5 %) and folder/catalog.lst
// naming them (type 1, the prices folder as the source). Files already there are kept.
// False when something cannot be written.
bool MakeCatalog(const std::string& folder, int count);

std::string CodeOf(int index);

} // namespace benchscreen
