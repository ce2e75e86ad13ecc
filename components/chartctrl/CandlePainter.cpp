#include "CandlePainter.h"

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
    void Draw(QPainter& painter) const
    {
        if (rects.empty())
            return;
        painter.setBrush(color);
        painter.drawRects(rects.data(), static_cast<int>(rects.size()));
    }
};

// Whole-pixel rectangles need no antialiasing; leaving it off keeps them sharp and fast.
class SharpRects {
public:
    explicit SharpRects(QPainter& painter) : m_painter(painter)
    {
        m_painter.save();
        m_painter.setRenderHint(QPainter::Antialiasing, false);
        m_painter.setPen(Qt::NoPen);
    }
    ~SharpRects() { m_painter.restore(); }

private:
    QPainter& m_painter;
};

void AddCandle(RectBatch& body, RectBatch& edge, RectBatch& hollow, bool isHollow, int left,
               int width, int centre, int highRow, int bodyTop, int bodyBottom, int lowRow)
{
    const int height = bodyBottom - bodyTop + 1;
    // wick
    edge.Add(centre, highRow, 1, bodyTop - highRow);
    edge.Add(centre, bodyBottom + 1, 1, lowRow - bodyBottom);
    // body
    if (!isHollow || width < 3 || height < 3) {
        (isHollow ? edge : body).Add(left, bodyTop, width, height);
        return;
    }
    edge.Add(left, bodyTop, width, 1);
    edge.Add(left, bodyBottom, width, 1);
    edge.Add(left, bodyTop + 1, 1, height - 2);
    edge.Add(left + width - 1, bodyTop + 1, 1, height - 2);
    hollow.Add(left + 1, bodyTop + 1, width - 2, height - 2);
}

} // namespace

void DrawCandles(QPainter& painter, const ChartStyle& style, const SeriesWindow& window,
                 const SlotMapper& columns, const ValueMapper& values)
{
    const std::size_t expected = static_cast<std::size_t>(window.count) * 3;
    RectBatch upBody{style.upBody, {}}, upEdge{style.upEdge, {}};
    RectBatch downBody{style.downBody, {}}, downEdge{style.downEdge, {}};
    RectBatch hollow{style.back, {}};
    upEdge.rects.reserve(expected);
    downEdge.rects.reserve(expected);
    upBody.rects.reserve(window.count);
    downBody.rects.reserve(window.count);

    const int width = columns.BodyWidth();
    for (int i = 0; i < window.count; ++i) {
        const PriceBar& bar = window[i];
        if (!IsDrawable(bar))
            continue;
        const bool up = bar.close >= bar.open;
        const int openRow = values.ToRow(bar.open);
        const int closeRow = values.ToRow(bar.close);
        const int bodyTop = std::min(openRow, closeRow);
        const int bodyBottom = std::max(openRow, closeRow);
        // Bad bars (a high below the body) still draw inside their own extremes.
        const int highRow = std::min(values.ToRow(bar.high), bodyTop);
        const int lowRow = std::max(values.ToRow(bar.low), bodyBottom);
        const int centre = columns.Centre(i);
        AddCandle(up ? upBody : downBody, up ? upEdge : downEdge, hollow,
                  up ? style.upHollow : style.downHollow, centre - width / 2, width, centre,
                  highRow, bodyTop, bodyBottom, lowRow);
    }

    SharpRects sharp(painter);
    for (const RectBatch* batch : {&hollow, &upBody, &downBody, &upEdge, &downEdge})
        batch->Draw(painter);
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
    SharpRects sharp(painter);
    up.Draw(painter);
    down.Draw(painter);
}

} // namespace quorex::chart
