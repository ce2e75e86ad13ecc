#pragma once

#include "export/CatalogExporter.h"

#include <string>

class QWidget;

namespace mosgrid {

class CCatalogView;

// Exports every security of the view, in the order it shows them, at its thumbnail size,
// from its own builder, with a progress dialog that can stop it. The window is drawn again
// between runs; the view's own wishes are told to the builder again at the end.
ExportOutcome ExportFromView(QWidget* parent, CCatalogView& view, const std::string& target,
                             bool force = false);

} // namespace mosgrid
