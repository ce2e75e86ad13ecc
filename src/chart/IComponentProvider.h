#pragma once

#include "QuorexComponents.h"

#include <memory>

// Where the chart host gets its two outside components from. The program finds them as
// plugins by name; tests hand the host recording fakes instead.
class IComponentProvider {
public:
    virtual ~IComponentProvider() = default;
    // Null when the data library cannot be created.
    virtual std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() = 0;
    // Null when the chart control cannot be created.
    virtual std::unique_ptr<quorex::IChartControl> CreateChartControl() = 0;
};
