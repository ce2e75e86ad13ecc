#pragma once

#include "Line.h"

namespace quorex::indicators {

// The equilibrium chart (一目均衡表) of spans a, b, c, every line indexed by the bar it is
// drawn at. The leading spans are drawn `shift` = b - 1 bars ahead (26 days counting the
// day itself), so they hold shift more values than there are bars: the cloud ahead of the
// newest bar. The lagging span is the close drawn shift bars back.
struct IchimokuLines {
    Line conversion;   // 転換線: (highest high + lowest low) / 2 over a bars
    Line base;         // 基準線: the same over b bars
    Line leadingA;     // 先行スパン1: (転換線 + 基準線) / 2, drawn shift bars ahead
    Line leadingB;     // 先行スパン2: (highest high + lowest low) / 2 over c, shift ahead
    Line lagging;      // 遅行スパン: close, drawn shift bars back
    int shift = 0;
};

IchimokuLines Ichimoku(Input high, Input low, Input close, int a, int b, int c);

} // namespace quorex::indicators
