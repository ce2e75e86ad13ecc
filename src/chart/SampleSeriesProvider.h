#pragma once

#include "chart/IComponentProvider.h"

namespace mosgrid {

// The chart control of another provider, and a data library that has the built-in sample
// series for every security.
class SampleSeriesProvider : public IComponentProvider {
public:
    // controls: where the chart control comes from; it must outlive this provider.
    explicit SampleSeriesProvider(IComponentProvider& controls);

    std::unique_ptr<quorex::IDataLibrary> CreateDataLibrary() override;
    std::unique_ptr<quorex::IChartControl> CreateChartControl() override;
    // The controls come from the other provider: created under its lock.
    std::mutex& componentMutex() override { return m_controls.componentMutex(); }

private:
    IComponentProvider& m_controls;
};

} // namespace mosgrid
