#pragma once

#include "ChartParams.h"

#include <QColor>
#include <QFont>

#include <array>

namespace quorex::chart {

QColor ColorFromColorRef(ColorRef color);

// The colours and the font one rendering uses, derived from the common parameters.
struct ChartStyle {
    QColor back;
    QColor text;
    QColor frame;        // pane borders and separators
    QColor grid;         // guide lines
    QColor upBody;
    QColor downBody;
    QColor upEdge;       // wick and outline of a rising candle
    QColor downEdge;
    bool upHollow = false;     // body so close to the background that it is outlined
    bool downHollow = false;
    QColor upVolume;
    QColor downVolume;
    QColor scrollTrough;
    QColor scrollButton;
    QColor scrollMark;         // thumb and arrows
    QColor notice;             // messages in the plot: muted, yet readable on the background
    std::array<QColor, 4> movingAverage;
    std::array<QColor, 4> exponentialAverage;
    QColor bands;              // Bollinger Bands
    QColor conversion;         // 転換線
    QColor base;               // 基準線
    QColor lagging;            // 遅行スパン
    QColor upCloud;            // 先行スパン1 above 2: a tint of the rising colour
    QColor downCloud;
    QColor level;              // an indicator's guide levels and zero line
    std::array<QColor, 3> indicator;   // an indicator pane's lines, in order
    QFont font;

    static ChartStyle From(const ChartParams& params);
};

// Pixels for a point size: texts are sized as on a 96-dpi screen on every device.
int PixelSizeForPoints(int points);

// Rows of one line of text in a font of `points`, as the control spaces its lines.
int LineHeightForPoints(int points);

// The top line a catalog writes its label (and a date badge) on, in its 9-point font.
inline constexpr int kCatalogLabelPoints = 9;

} // namespace quorex::chart
