#pragma once

#include <QSize>

namespace mosgrid {

// Thumbnails that fill the grid's width: with a column count the width is the grid's width
// divided by it and the height keeps the stored SizeX:SizeY ratio; without one (0) the stored
// size holds. Pure, for every window width.
namespace ColumnSizing {

inline constexpr int kMinColumns = 2;
inline constexpr int kMaxColumns = 12;
// A fixed size steps by this share of itself.
inline constexpr double kSizeStep = 0.10;

// stored: the usable SizeX and SizeY; columns: [Chart] Columns (0 or less: off).
QSize ThumbnailSize(int gridWidth, int columns, QSize stored);

// The column count one step bigger (+1: fewer columns) or smaller (-1: more), kept within
// kMinColumns..kMaxColumns.
int StepColumns(int columns, int direction);

// The fixed size one step bigger (+1) or smaller (-1), ratio kept, each side within
// minSide..maxSide.
QSize StepSize(QSize size, int direction, int minSide, int maxSide);

} // namespace ColumnSizing

} // namespace mosgrid
