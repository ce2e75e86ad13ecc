#pragma once

#include "chart/LabelTemplate.h"
#include "settings/SettingsValues.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QRgb>

class QFontMetrics;
class QPainter;

namespace mosgrid {
class LabelShaper;
}

namespace mosgrid {

// The font of every thumbnail's label: the dialog font, the same size everywhere.
QFont LabelFont();

// The runs cut to at most width pixels in metrics, ending with an ellipsis; unchanged when
// they fit (then *fitAdvance, if given, is their whole advance; else it is -1); none when
// not even the ellipsis fits.
LabelRuns ElideRuns(const LabelRuns& runs, const QFontMetrics& metrics, int width,
                    int* fitAdvance = nullptr);

// The colour a change part is written in on background: up in a red, down in a blue, each
// light on a dark background and dark on a light one.
QRgb ChangeColor(LabelTone tone, QRgb background);

// Writes the label with its top-left corner at `at`, cut to width. Opaque styles paint the
// text's cell in the background colour first, as the platform's text output does, and write
// the change parts in their tone; everything else is in the text colour. Returns the cells
// the text took. The runs' advance when known (FitLabel's) spares measuring them again, and
// the shaper FitLabel measured them with spares shaping them again.
QRect PaintLabel(QPainter& target, QPoint at, int width, const LabelRuns& runs,
                const LabelStyle& style, int knownAdvance = -1,
                const LabelShaper* shaper = nullptr);

} // namespace mosgrid
