#pragma once

#include "catalog/CatalogItem.h"
#include "settings/ViewChoices.h"

#include <QSize>

#include <string>

namespace mosgrid {

class IComponentProvider;

// What one thumbnail build reads. The items and the provider belong to the caller and must
// stay unchanged until the builder has been stopped and waited for.
struct BuildInputs {
    const CatalogItemList* items = nullptr;
    QSize size;
    std::string iniFile;
    IComponentProvider* provider = nullptr;
    // Every chart in one period, or each in its own: a change is a new build.
    PeriodChoice period = PeriodChoice::Definitions;
};

} // namespace mosgrid
