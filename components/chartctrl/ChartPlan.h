#pragma once

#include "AxisTicks.h"
#include "ChartDefinition.h"
#include "ChartLayout.h"
#include "ChartStyle.h"
#include "PaneRows.h"
#include "PeriodSeries.h"
#include "SeriesWindow.h"
#include "SlotMapper.h"
#include "TimeAxis.h"
#include "ValueMapper.h"

#include <QColor>
#include <QRect>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace quorex::chart {

enum class TextRole { PriceLabel, DateLabel, Extreme, Legend, Message, Notice };

// One line of text, drawn from the top-left of `rect`: its advance by its line height.
struct TextItem {
    QRect rect;
    QString text;
    QColor color;
    TextRole role = TextRole::Message;
    int pane = -1;          // the pane it belongs to; -1 for none
    bool backed = false;    // on a box of the background colour
};

// A line over the shown bars: a value per bar, NaN for a gap.
struct PlotLine {
    QString name;                          // as a value table heads it: "EMA(12)"
    std::vector<double> values;
    QColor color;
    Qt::PenStyle pen = Qt::SolidLine;
};

// A name of the legend in the colour of what it names.
struct LegendEntry {
    QString text;
    QColor color;
};

// One pane as it will be drawn.
struct PanePlan {
    const ChartDefinition* definition = nullptr;
    std::optional<Period> period;          // none for an unreadable definition
    SeriesWindow window;
    std::vector<std::vector<double>> averages;
    std::vector<PlotLine> lines;           // overlays, or an indicator pane's lines
    std::vector<double> cloudA;            // 先行スパン1 and 2 over the shown bars; empty: none
    std::vector<double> cloudB;
    std::vector<double> histogram;         // MACD - signal; empty: none
    // Every line's name and values, the moving averages and the cloud's spans included, in
    // the order a value table lists them.
    std::vector<std::pair<QString, std::vector<double>>> named;
    std::vector<double> levels;            // guide levels and zero lines
    QString message;                       // why an indicator pane draws no line
    std::vector<LegendEntry> legend;
    ValueRange range;
    PaneRows rows;
    std::optional<ValueMapper> values;     // none: the pane draws no bars
    std::optional<SlotMapper> columns;
    AxisTicks ticks;
    std::vector<TimeMark> marks;

    bool IsPrice() const { return IsPriceKind(definition->kind); }
    bool IsVolume() const { return definition->kind == ChartKind::Volume; }
    bool IsIndicator() const { return IsIndicatorKind(definition->kind); }
};

// Everything one picture shows, worked out before anything is painted, so that where each
// text goes can be checked against the bars without looking at pixels.
struct ChartPlan {
    QRect bounds;
    ChartStyle style;
    ChartLayout layout;
    std::unique_ptr<PeriodSeries> series;  // the bars the panes' windows point into
    std::vector<PanePlan> panes;           // empty: no bars are drawn
    std::vector<TextItem> texts;
    QRect freeLine;                        // the catalog's label line; empty when none
    bool guides = false;
    double penWidth = 1;
    int ascent = 0;                        // of the chart's font
    bool scrollBar = false;
    int scrollTotal = 0;
    int scrollFirst = 0;
    int scrollCount = 0;
};

} // namespace quorex::chart
