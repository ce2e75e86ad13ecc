#pragma once

#include <QString>

namespace mosgrid {

class ThumbnailStore;

// What the status bar says once a build is over: "4,000 銘柄 · データなし 3".
QString BuildSummaryText(int total, int noData);

// The same for the store's build; empty for a build of nothing.
QString BuildSummaryOf(const ThumbnailStore& store);

} // namespace mosgrid
