#include "ChartModel.h"

#include "ChartCollection.h"

namespace quorex::chart {

std::unique_ptr<ICharts> ChartModel::Charts() const
{
    return std::make_unique<ChartCollection>(m_set);
}

bool ChartModel::SetData(PriceDataPtr data)
{
    m_data = std::move(data);
    return m_data != nullptr;
}

ChartScene ChartModel::Scene(std::vector<ChartDefinition>& charts) const
{
    charts = m_set->ShownCharts();
    ChartScene scene;
    if (m_data)
        scene.bars = m_data->Bars();
    scene.charts = charts;
    scene.params = m_set->params();
    scene.notice = m_notice;
    return scene;
}

} // namespace quorex::chart
