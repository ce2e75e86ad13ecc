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

void ChartModel::SetRelatedData(const std::string& code, PriceDataPtr data)
{
    if (data)
        m_related[code] = std::move(data);
    else
        m_related.erase(code);
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
    scene.related = &m_related;
    return scene;
}

} // namespace quorex::chart
