#include "chart/SampleSeriesProvider.h"

#include "chart/SampleSeries.h"

namespace mosgrid {

namespace {

class SampleDataLibrary : public quorex::IDataLibrary {
public:
    quorex::PriceDataPtr LoadData(const std::string&, const std::string&, std::int32_t) override
    {
        return SampleSeries();
    }
};

} // namespace

SampleSeriesProvider::SampleSeriesProvider(IComponentProvider& controls)
    : m_controls(controls)
{
}

std::unique_ptr<quorex::IDataLibrary> SampleSeriesProvider::CreateDataLibrary()
{
    return std::make_unique<SampleDataLibrary>();
}

std::unique_ptr<quorex::IChartControl> SampleSeriesProvider::CreateChartControl()
{
    return m_controls.CreateChartControl();
}

} // namespace mosgrid
