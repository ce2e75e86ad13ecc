#pragma once

#include <QRect>
#include <QSize>

namespace mosgrid {

// Where and how large the enlarged preview of a cell is drawn, as pure functions.
namespace PreviewGeometry {

// Twice the thumbnail's width and height (four times its area), held within this share of
// the screen with the thumbnail's shape kept.
inline constexpr int kScale = 2;
inline constexpr double kMaxScreenShare = 0.8;

QSize PreviewSize(QSize thumbnail, QSize screen);

// The popup's rectangle beside the cell (global coordinates): right of it when it fits on
// the screen, else left of it, else over it; top aligned with the cell, then moved to lie
// wholly on the screen.
QRect PopupRect(const QRect& cell, QSize popup, const QRect& screen);

} // namespace PreviewGeometry

} // namespace mosgrid
