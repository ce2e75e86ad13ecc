#pragma once

#include "catalog/CatalogItem.h"
#include "chart/ItemFacts.h"

#include <QImage>

#include <string>

namespace mosgrid {

class IComponentProvider;

// One security's thumbnail as the catalog would make it (the settings' charts, size and
// label) and what its series says, for a security not in the catalog yet.
// Threads: any but the user-interface thread; the host takes the component lock itself.
struct SecurityPreview {
    QImage image;   // null when no chart host could be made
    ItemFacts facts;

    static SecurityPreview Render(IComponentProvider& provider, const CatalogItem& item,
                                  const std::string& iniFile);
};

} // namespace mosgrid
