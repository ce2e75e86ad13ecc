#pragma once

#include <QString>

class QPainter;
class QRect;

namespace mosgrid {

// A short text in the middle of the empty grid (how to open a list), grey on the black.
void PaintEmptyHint(QPainter& dc, const QRect& client, const QString& text);

// The hint's colour, for tests that look for it.
inline constexpr unsigned kEmptyHintRgb = 0xffb4b4b4;

} // namespace mosgrid
