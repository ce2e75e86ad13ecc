#include "ChartPlanChecks.h"

#include "CandlePainter.h"
#include "ChartPlanner.h"

#include <QPainter>

#include <algorithm>

using namespace quorex;
using namespace quorex::chart;

namespace {

bool Within(const std::vector<QRect>& areas, const QRect& rect)
{
    return std::any_of(areas.begin(), areas.end(),
                       [&](const QRect& area) { return area.contains(rect); });
}

// Where a text of its role may go; empty for anywhere in the picture.
std::vector<QRect> PlacesFor(const ChartPlan& plan, const TextItem& item)
{
    switch (item.role) {
    case TextRole::PriceLabel:
        return {plan.layout.priceAxis};
    case TextRole::DateLabel:
        return plan.layout.dateAxes;
    case TextRole::Legend:
        // An indicator pane's legend stands over its lines, on a backing.
        if (plan.panes[item.pane].IsIndicator())
            return {plan.layout.panes[item.pane].adjusted(1, 1, -1, -1)};
        [[fallthrough]];
    case TextRole::Extreme: {
        const PaneRows& rows = plan.panes[item.pane].rows;
        return {rows.upperBand, rows.lowerBand};
    }
    case TextRole::Message:
        return {plan.layout.panes[item.pane]};
    case TextRole::Notice:
        break;
    }
    return {plan.bounds};
}

} // namespace

std::vector<ChartDefinition> Definitions(const std::vector<std::string>& texts)
{
    std::vector<ChartDefinition> charts;
    for (const std::string& text : texts)
        charts.push_back(ParseDefinition(text).value_or(UnreadableDefinition(text)));
    return charts;
}

ChartPlan PlanOf(const std::vector<PriceBar>& bars, const std::vector<ChartDefinition>& charts,
                 const std::string& params, QSize size, const QString& notice)
{
    return PlanChart(QRect(QPoint(0, 0), size), {bars, charts, ParseParams(params), notice});
}

QImage PictureOf(const std::vector<PriceBar>& bars, const std::vector<ChartDefinition>& charts,
                 const std::string& params, QSize size, const QString& notice)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    RenderChart(painter, image.rect(), {bars, charts, ParseParams(params), notice});
    return image;
}

std::vector<QRect> CandleRects(const ChartPlan& plan)
{
    std::vector<QRect> rects;
    for (const PanePlan& pane : plan.panes) {
        for (int i = 0; pane.IsPrice() && pane.values && i < pane.window.count; ++i) {
            if (const auto shape = ShapeOfCandle(pane.window, i, *pane.columns, *pane.values)) {
                rects.push_back(shape->wick);
                rects.push_back(shape->body);
            }
        }
    }
    return rects;
}

std::vector<std::string> TextFaults(const ChartPlan& plan)
{
    std::vector<std::string> faults;
    const std::vector<QRect> candles = CandleRects(plan);
    for (std::size_t k = 0; k < plan.texts.size(); ++k) {
        const TextItem& item = plan.texts[k];
        const auto meets = [&](const QRect& rect) { return item.rect.intersects(rect); };
        std::string fault;
        if (!plan.bounds.contains(item.rect) || !Within(PlacesFor(plan, item), item.rect))
            fault = "out of place";
        else if (item.role == TextRole::Notice)
            continue;   // over everything by design
        else if (meets(plan.freeLine))
            fault = "in the label line";
        else if (std::any_of(candles.begin(), candles.end(), meets))
            fault = "on a candle";
        for (std::size_t j = k + 1; j < plan.texts.size(); ++j) {
            if (meets(plan.texts[j].rect))
                fault = "on \"" + plan.texts[j].text.toStdString() + "\"";
        }
        if (!fault.empty())
            faults.push_back("\"" + item.text.toStdString() + "\" " + fault);
    }
    return faults;
}

int CountColour(const QImage& image, QRgb colour, const QRect& area)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += image.pixel(x, y) == colour;
    }
    return count;
}
