#include "view/RenderedChart.h"

#include "chart/ChartHost.h"

#include <QPainter>

namespace mosgrid {

std::shared_ptr<const RenderedChart> RenderedChart::Render(const ChartRequest& request)
{
    std::shared_ptr<RenderedChart> chart(new RenderedChart);
    if (request.provider == nullptr || request.size.isEmpty())
        return chart;
    // The host takes the provider's component lock while it creates and destroys.
    chart->m_host = std::make_unique<ChartHost>(*request.provider, request.iniFile);
    if (chart->m_host->CreateHost(request.size.width(), request.size.height()) != 1)
        return chart;
    chart->m_host->SetPeriodChoice(request.period);
    chart->m_host->RenderItem(request.item);
    chart->m_image = QImage(request.size, QImage::Format_RGB32);
    if (chart->m_image.isNull())
        return chart;
    QPainter painter(&chart->m_image);
    chart->m_host->CaptureItem(painter, 0, 0, request.item);
    chart->m_facts = chart->m_host->LastFacts();
    return chart;
}

RenderedChart::~RenderedChart()
{
    if (m_host)
        m_host->DestroyWindow();
}

std::optional<quorex::PriceBar> RenderedChart::BarAt(QPoint point) const
{
    if (!m_host || !m_image.rect().contains(point))
        return std::nullopt;
    return m_host->m_chartCtrl.BarAt(point.x(), point.y());
}

std::vector<quorex::IndicatorValue> RenderedChart::ValuesAt(QPoint point) const
{
    if (!m_host || !m_image.rect().contains(point))
        return {};
    return m_host->m_chartCtrl.ValuesAt(point.x(), point.y());
}

} // namespace mosgrid
