#include "ChartControlPlugin.h"

#include "ChartControl.h"

namespace quorex::chart {

std::unique_ptr<IChartControl> ChartControlPlugin::CreateChartControl()
{
    return std::make_unique<ChartControl>();
}

} // namespace quorex::chart
