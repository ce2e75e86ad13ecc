#include "ChartPainter.h"

#include "AxisPainter.h"
#include "CandlePainter.h"
#include "IndicatorPainter.h"
#include "PriceBarPainter.h"
#include "OverlayPainter.h"
#include "ScrollBarPainter.h"
#include "StaticTextCache.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>

namespace quorex::chart {

namespace {

void PaintTexts(QPainter& painter, const ChartPlan& plan)
{
    if (plan.texts.empty())
        return;
    painter.setFont(plan.style.font);
    // On images, texts laid out once for the catalog give drawText's very pixels; printers
    // and recordings keep drawText.
    const bool image = painter.paintEngine()
        && painter.paintEngine()->type() == QPaintEngine::Raster;
    // A static text is placed by its top, drawText by its baseline.
    const double top = image ? plan.ascent - QFontMetricsF(plan.style.font).ascent() : 0;
    for (const TextItem& item : plan.texts) {
        // A backing keeps the text readable over guide lines and bars.
        if (item.backed)
            painter.fillRect(item.rect.adjusted(-1, 0, 1, 0), plan.style.back);
        painter.setPen(item.color);
        if (image) {
            painter.drawStaticText(QPointF(item.rect.left(), item.rect.top() + top),
                                   StaticTextCache::TextOf(plan.style.font, item.text));
        } else {
            painter.drawText(item.rect.left(), item.rect.top() + plan.ascent, item.text);
        }
    }
}

void DrawPrices(QPainter& painter, const ChartPlan& plan, const PanePlan& pane)
{
    switch (pane.definition->style) {
    case PriceStyle::Candle:
        DrawCandles(painter, plan.style, pane.window, *pane.columns, *pane.values);
        break;
    case PriceStyle::Bar:
        DrawPriceBars(painter, plan.style, pane.window, *pane.columns, *pane.values);
        break;
    case PriceStyle::Line:
        DrawCloseLine(painter, plan.style, pane.window, *pane.columns, *pane.values,
                      plan.penWidth);
        break;
    }
}

} // namespace

void PaintChart(QPainter& painter, const ChartPlan& plan)
{
    const ChartStyle& style = plan.style;
    painter.save();
    painter.fillRect(plan.bounds, style.back);
    if (plan.bounds.isEmpty()) {
        painter.restore();
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    // guide lines under everything
    if (plan.guides) {
        for (std::size_t i = 0; i < plan.panes.size(); ++i) {
            const PanePlan& pane = plan.panes[i];
            if (pane.values && pane.columns)
                DrawGuides(painter, style.grid, plan.layout.panes[i], *pane.values, pane.ticks,
                           *pane.columns, pane.marks);
        }
    }

    // the cloud, bars, then lines over them
    for (std::size_t i = 0; i < plan.panes.size(); ++i) {
        const PanePlan& pane = plan.panes[i];
        if (!pane.values || !pane.columns)
            continue;
        if (pane.IsPrice()) {
            if (!pane.cloudA.empty())
                DrawCloud(painter, style, pane);
            DrawPrices(painter, plan, pane);
            DrawMovingAverages(painter, style, pane.averages, *pane.columns, *pane.values,
                               plan.penWidth, UsesIndicatorOptions(*pane.definition));
            DrawPlotLines(painter, pane, plan.penWidth);
        } else if (pane.IsIndicator()) {
            DrawLevels(painter, style, pane, plan.layout.panes[i]);
            DrawHistogram(painter, style, pane);
            DrawPlotLines(painter, pane, plan.penWidth);
        } else {
            DrawVolumeBars(painter, style, pane.window, *pane.columns, *pane.values);
        }
    }
    // Also without data: a cell keeps its frame, so neighbours do not run into one another.
    DrawFrames(painter, style.frame, plan.layout);

    PaintTexts(painter, plan);
    if (plan.scrollBar)
        DrawScrollBar(painter, style, plan.layout.scrollBar, plan.scrollTotal, plan.scrollFirst,
                      plan.scrollCount);
    painter.restore();
}

} // namespace quorex::chart
