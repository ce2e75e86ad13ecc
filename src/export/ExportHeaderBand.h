#pragma once

#include "export/ExportWriter.h"

class QPainter;
class QRect;

namespace mosgrid {

// The header of a sheet: the list name at the left, the date and the count at the right,
// light text on the grid's black.
void PaintSheetHeader(QPainter& painter, const QRect& band, const ExportHeader& header,
                      int count);

} // namespace mosgrid
