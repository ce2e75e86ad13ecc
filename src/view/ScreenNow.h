#pragma once

#include "screen/ScreenError.h"

#include <QString>

#include <optional>
#include <vector>

namespace mosgrid {

class CCatalogView;

// Narrows a loaded view by a condition at once, waiting for every security (the command
// line's export: no one is looking at the grid). flags: each item's flag number (missing:
// 0). A blank condition narrows nothing; one that does not parse narrows nothing and comes
// back as the error.
std::optional<ScreenError> ScreenNow(CCatalogView& view, const QString& condition,
                                     std::vector<int> flags = {});

} // namespace mosgrid
