#include "CandlePainter.h"

#include "RectFill.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

namespace quorex::chart {

namespace {

// Rectangles of one colour, filled in one call.
struct RectBatch {
    QColor color;
    std::vector<QRect> rects;

    void Add(int x, int y, int width, int height)
    {
        if (width > 0 && height > 0)
            rects.emplace_back(x, y, width, height);
    }
    void Draw(QPainter& painter) const { FillRects(painter, color, rects); }
};

// The batches of one colour pair (rising or falling), drawn in this order.
struct CandleBatches {
    RectBatch wick;
    RectBatch hollow;   // the background inside an outlined body
    RectBatch body;
    RectBatch outline;
};

void AddCandle(CandleBatches& batches, bool isHollow, int left, int width, int centre,
               int highRow, int bodyTop, int bodyBottom, int lowRow)
{
    const int height = bodyBottom - bodyTop + 1;
    // wick: one line from high to low; the body covers its middle
    batches.wick.Add(centre, highRow, 1, lowRow - highRow + 1);
    // body
    if (!isHollow || width < 3 || height < 3) {
        (isHollow ? batches.outline : batches.body).Add(left, bodyTop, width, height);
        return;
    }
    batches.hollow.Add(left + 1, bodyTop + 1, width - 2, height - 2);
    batches.outline.Add(left, bodyTop, width, 1);
    batches.outline.Add(left, bodyBottom, width, 1);
    batches.outline.Add(left, bodyTop + 1, 1, height - 2);
    batches.outline.Add(left + width - 1, bodyTop + 1, 1, height - 2);
}

} // namespace

void DrawCandles(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                 const SlotMapper& columns, const ValueMapper& values)
{
    CandleBatches up{{style.upEdge, {}}, {style.back, {}}, {style.upBody, {}},
                     {style.upEdge, {}}};
    CandleBatches down{{style.downEdge, {}}, {style.back, {}}, {style.downBody, {}},
                       {style.downEdge, {}}};
    for (CandleBatches* batches : {&up, &down}) {
        batches->wick.rects.reserve(window.count);
        batches->body.rects.reserve(window.count);
    }

    const int width = columns.BodyWidth();
    for (int i = 0; i < window.count; ++i) {
        const PriceBar& bar = window[i];
        if (!IsDrawable(bar))
            continue;
        const bool rising = bar.close >= bar.open;
        const int openRow = values.ToRow(bar.open);
        const int closeRow = values.ToRow(bar.close);
        const int bodyTop = std::min(openRow, closeRow);
        const int bodyBottom = std::max(openRow, closeRow);
        // Bad bars (a high below the body) still draw inside their own extremes.
        const int highRow = std::min(values.ToRow(bar.high), bodyTop);
        const int lowRow = std::max(values.ToRow(bar.low), bodyBottom);
        const int centre = columns.Centre(i);
        AddCandle(rising ? up : down, rising ? style.upHollow : style.downHollow,
                  centre - width / 2, width, centre, highRow, bodyTop, bodyBottom, lowRow);
    }

    for (const CandleBatches* batches : {&up, &down}) {
        batches->wick.Draw(painter);
        batches->hollow.Draw(painter);
        batches->body.Draw(painter);
        batches->outline.Draw(painter);
    }
}

void DrawVolumeBars(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                    const SlotMapper& columns, const ValueMapper& values)
{
    RectBatch up{style.upVolume, {}}, down{style.downVolume, {}};
    up.rects.reserve(window.count);
    down.rects.reserve(window.count);
    const int width = columns.BodyWidth();
    const int baseRow = values.ToRow(0);
    for (int i = 0; i < window.count; ++i) {
        const PriceBar& bar = window[i];
        if (!std::isfinite(bar.volume) || bar.volume <= 0)
            continue;
        const int top = std::min(values.ToRow(bar.volume), baseRow);
        const bool rising = !(bar.close < bar.open);
        (rising ? up : down).Add(columns.Centre(i) - width / 2, top, width, baseRow - top + 1);
    }
    up.Draw(painter);
    down.Draw(painter);
}

} // namespace quorex::chart
