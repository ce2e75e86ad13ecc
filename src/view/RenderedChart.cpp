#include "view/RenderedChart.h"

#include "chart/CChartHostDlg.h"

#include <QPainter>

std::shared_ptr<const RenderedChart> RenderedChart::Render(const ChartRequest& request)
{
    std::shared_ptr<RenderedChart> chart(new RenderedChart);
    chart->m_pProviderMutex = request.providerMutex;
    if (request.provider == nullptr || request.size.isEmpty())
        return chart;
    bool ready = false;
    {
        std::unique_lock<std::mutex> lock;
        if (request.providerMutex != nullptr)
            lock = std::unique_lock(*request.providerMutex);
        chart->m_host = std::make_unique<CChartHostDlg>(nullptr, *request.provider,
                                                        request.iniFile);
        ready = chart->m_host->CreateHost(request.size.width(), request.size.height()) == 1;
    }
    if (!ready)
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
    if (!m_host)
        return;
    std::unique_lock<std::mutex> lock;
    if (m_pProviderMutex != nullptr)
        lock = std::unique_lock(*m_pProviderMutex);
    m_host->DestroyWindow();
    m_host.reset();
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
