#pragma once

#include <QRect>
#include <QString>

class QPagedPaintDevice;

namespace mosgrid {

class ChartFrame;

// A chart window's picture out of the program: PNG as shown; PDF and print as vectors
// (lines and text drawn again by the chart control), the picture itself where the control
// cannot. Any thread; the frame is only read.
namespace ChartOutput {

bool SavePng(const ChartFrame& frame, const QString& path);
// One page the picture's size.
bool SavePdf(const ChartFrame& frame, const QString& path);
// The picture as large as the page takes it, its proportions kept.
bool PaintPage(const ChartFrame& frame, QPagedPaintDevice& device);
// The largest rect of `size`'s proportions centred in `page`.
QRect FittedRect(QSize size, QRect page);

} // namespace ChartOutput

} // namespace mosgrid
