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

void AddCandle(CandleBatches& batches, bool isHollow, const CandleShape& shape)
{
    const QRect& body = shape.body;
    // wick: one line from high to low; the body covers its middle
    batches.wick.Add(shape.wick.left(), shape.wick.top(), 1, shape.wick.height());
    // body
    if (!isHollow || body.width() < 3 || body.height() < 3) {
        (isHollow ? batches.outline : batches.body)
            .Add(body.left(), body.top(), body.width(), body.height());
        return;
    }
    batches.hollow.Add(body.left() + 1, body.top() + 1, body.width() - 2, body.height() - 2);
    batches.outline.Add(body.left(), body.top(), body.width(), 1);
    batches.outline.Add(body.left(), body.bottom(), body.width(), 1);
    batches.outline.Add(body.left(), body.top() + 1, 1, body.height() - 2);
    batches.outline.Add(body.right(), body.top() + 1, 1, body.height() - 2);
}

} // namespace

std::optional<CandleShape> ShapeOfCandle(const SeriesWindow& window, int index,
                                         const SlotMapper& columns, const ValueMapper& values)
{
    const PriceBar& bar = window[index];
    if (!IsDrawable(bar))
        return std::nullopt;
    const int openRow = values.ToRow(bar.open);
    const int closeRow = values.ToRow(bar.close);
    const int bodyTop = std::min(openRow, closeRow);
    const int bodyBottom = std::max(openRow, closeRow);
    // Bad bars (a high below the body) still draw inside their own extremes.
    const int highRow = std::min(values.ToRow(bar.high), bodyTop);
    const int lowRow = std::max(values.ToRow(bar.low), bodyBottom);
    CandleShape shape;
    shape.wick = QRect(columns.Centre(index), highRow, 1, lowRow - highRow + 1);
    shape.body = QRect(columns.BodyLeft(index), bodyTop, columns.BodyWidth(),
                       bodyBottom - bodyTop + 1);
    shape.rising = bar.close >= bar.open;
    return shape;
}

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

    for (int i = 0; i < window.count; ++i) {
        if (const auto shape = ShapeOfCandle(window, i, columns, values))
            AddCandle(shape->rising ? up : down,
                      shape->rising ? style.upHollow : style.downHollow, *shape);
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
        (rising ? up : down).Add(columns.BodyLeft(i), top, width, baseRow - top + 1);
    }
    up.Draw(painter);
    down.Draw(painter);
}

} // namespace quorex::chart
