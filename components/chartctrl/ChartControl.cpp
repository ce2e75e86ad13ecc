#include "ChartControl.h"

#include "BarsNeeded.h"
#include "ChartPainter.h"
#include "ChartPlanner.h"
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
    m_shown.clear();
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
    // Planned, painted, and the plan's bars kept: the pointer asks for them later.
    ChartPlan plan = PlanChart(m_picture.rect(), scene);
    PaintChart(painter, plan);
    m_shown = ShownPanes(std::move(plan));
}

std::optional<PriceBar> ChartControl::BarAt(int x, int y) const
{
    return BarUnder(m_shown, QPoint(x, y));
}

std::vector<IndicatorValue> ChartControl::ValuesAt(int x, int y) const
{
    const std::optional<PriceBar> bar = BarAt(x, y);
    return bar ? ValuesOn(m_shown, bar->date) : std::vector<IndicatorValue>{};
}

std::vector<IndicatorValue> ChartControl::NewestValues() const
{
    return NewestValuesOf(m_shown);
}

bool ChartControl::PaintOnto(QPainter& painter, const QRect& bounds) const
{
    if (bounds.isEmpty())
        return false;
    std::vector<ChartDefinition> charts;
    const ChartScene scene = m_model.Scene(charts);
    PaintChart(painter, PlanChart(bounds, scene));
    return true;
}

bool ChartControl::SwapPicture(QImage& buffer)
{
    if (m_picture.isNull() || buffer.size() != m_picture.size()
        || buffer.format() != m_picture.format())
        return false;
    // Update paints every pixel, so what the buffer held does not matter.
    m_picture.swap(buffer);
    return true;
}

const QImage& ChartControl::Picture() const
{
    return m_picture;
}

std::vector<ChartDefinition> ChartControl::Definitions(
    std::span<const std::string> definitions) const
{
    std::vector<ChartDefinition> charts;
    charts.reserve(definitions.size());
    for (const std::string& text : definitions) {
        if (const auto reading = CachedDefinition(text); reading->definition)
            charts.push_back(*reading->definition);
    }
    return charts;
}

std::size_t ChartControl::DailyBarsNeeded(const std::string& parameters,
                                          std::span<const std::string> definitions) const
{
    return chart::DailyBarsNeeded(*CachedParams(parameters), Definitions(definitions));
}

DataRequest ChartControl::DataNeeded(const std::string& parameters,
                                     std::span<const std::string> definitions) const
{
    return chart::DataNeeded(*CachedParams(parameters), Definitions(definitions));
}

std::vector<std::string> ChartControl::RelatedCodes(
    std::span<const std::string> definitions) const
{
    std::vector<std::string> codes;
    for (const ChartDefinition& chart : Definitions(definitions)) {
        if (chart.kind == ChartKind::Rs && !chart.code.empty()
            && std::find(codes.begin(), codes.end(), chart.code) == codes.end())
            codes.push_back(chart.code);
    }
    return codes;
}

void ChartControl::SetRelatedData(const std::string& code, PriceDataPtr data)
{
    m_model.SetRelatedData(code, std::move(data));
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
