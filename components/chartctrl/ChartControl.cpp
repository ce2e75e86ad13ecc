#include "ChartControl.h"

#include "BarsNeeded.h"
#include "ParsedTexts.h"

#include <QPainter>

#include <algorithm>

namespace quorex::chart {

ChartControl::ChartControl() : m_size(kInitialSize) {}

std::unique_ptr<ICharts> ChartControl::GetCharts()
{
    return m_model.Charts();
}

bool ChartControl::SetData(PriceDataPtr data)
{
    return m_model.SetData(std::move(data));
}

void ChartControl::SetSize(int width, int height)
{
    m_size = QSize(std::clamp(width, 0, kMaxExtent), std::clamp(height, 0, kMaxExtent));
}

void ChartControl::Update()
{
    if (m_size.isEmpty()) {
        m_picture = QImage();
        return;
    }
    // The same buffer serves every update of one size: a fresh image costs page faults
    // comparable to painting it.
    if (m_picture.size() != m_size || m_picture.format() != QImage::Format_RGB32)
        m_picture = QImage(m_size, QImage::Format_RGB32);
    if (m_picture.isNull())
        return;
    std::vector<ChartDefinition> charts;
    const ChartScene scene = m_model.Scene(charts);
    QPainter painter(&m_picture);
    RenderChart(painter, m_picture.rect(), scene);
}

const QImage& ChartControl::Picture() const
{
    return m_picture;
}

std::size_t ChartControl::DailyBarsNeeded(const std::string& parameters,
                                          std::span<const std::string> definitions) const
{
    std::vector<ChartDefinition> charts;
    charts.reserve(definitions.size());
    for (const std::string& text : definitions) {
        if (const auto reading = CachedDefinition(text); reading->definition)
            charts.push_back(*reading->definition);
    }
    return chart::DailyBarsNeeded(*CachedParams(parameters), charts);
}

void ChartControl::SetNotice(const std::string& text)
{
    m_model.SetNotice(text);
}

std::string ChartControl::CheckDefinition(const std::string& definition) const
{
    return CachedDefinition(definition)->problems;
}

} // namespace quorex::chart
