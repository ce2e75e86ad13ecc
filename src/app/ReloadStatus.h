#pragma once

#include "view/CCatalogView.h"

#include <QString>

namespace mosgrid {

// The status-bar line after a reload; empty when there is nothing to say. A reload the
// watcher started says nothing when nothing changed.
QString ReloadStatusText(CCatalogView::ReloadResult result, bool byWatcher);

} // namespace mosgrid
