#include "ChartPlanChecks.h"

#include "CandlePainter.h"
#include "ChartPlanner.h"

#include <QPainter>

#include <algorithm>
#include <sstream>

using namespace quorex;
using namespace quorex::chart;

namespace {

std::string Describe(const TextItem& item)
{
    std::ostringstream out;
    out << '"' << item.text.toStdString() << "\" at " << item.rect.x() << ',' << item.rect.y()
        << ' ' << item.rect.width() << 'x' << item.rect.height();
    return out.str();
}

bool InValueRows(const PanePlan& pane, const QRect& rect)
{
    return rect.bottom() >= pane.rows.valueTop && rect.top() <= pane.rows.valueBottom;
}

std::string PlaceFault(const ChartPlan& plan, const TextItem& item)
{
    const ChartLayout& layout = plan.layout;
    switch (item.role) {
    case TextRole::PriceLabel:
        return layout.priceAxis.contains(item.rect) ? "" : "outside the price column";
    case TextRole::DateLabel:
        return std::any_of(layout.dateAxes.begin(), layout.dateAxes.end(),
                           [&](const QRect& axis) { return axis.contains(item.rect); })
            ? ""
            : "outside every date axis";
    case TextRole::Extreme:
    case TextRole::Legend: {
        const QRect inside = layout.panes[item.pane].adjusted(1, 1, -1, -1);
        if (!inside.contains(item.rect))
            return "outside its pane";
        return InValueRows(plan.panes[item.pane], item.rect) ? "on the rows of the bars" : "";
    }
    case TextRole::Message:
        return layout.panes[item.pane].contains(item.rect) ? "" : "outside its pane";
    case TextRole::Notice:
        break;
    }
    return "";
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
        if (!pane.IsPrice() || !pane.values || !pane.columns)
            continue;
        for (int i = 0; i < pane.window.count; ++i) {
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
        const auto fault = [&](const std::string& what) {
            faults.push_back(Describe(item) + ": " + what);
        };
        if (!plan.bounds.contains(item.rect))
            fault("outside the picture");
        if (item.role == TextRole::Notice)
            continue;   // over everything by design
        if (item.rect.intersects(plan.freeLine))
            fault("in the catalog's label line");
        for (const QRect& candle : candles) {
            if (item.rect.intersects(candle)) {
                fault("on a candle");
                break;
            }
        }
        for (std::size_t j = k + 1; j < plan.texts.size(); ++j) {
            if (item.rect.intersects(plan.texts[j].rect))
                fault("on " + Describe(plan.texts[j]));
        }
        if (const std::string where = PlaceFault(plan, item); !where.empty())
            fault(where);
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
