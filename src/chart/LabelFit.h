#pragma once

#include "chart/LabelTemplate.h"

class QFontMetrics;

namespace mosgrid {
class LabelShaper;
}

namespace mosgrid {

// The label of one security cut to width pixels in metrics without cutting a number: whole
// when it fits; else the {name} field shortened (ending in "…"), every other field whole;
// when not even a name of "…" leaves room for the others, the fields are dropped from the
// right (with the text before each) until the rest fits, the name again as long as it can
// be. Text before the first field is cut like any text when it alone is too wide.
// *advance, if given, is the label's whole advance in metrics, -1 when it was not measured.
// shaper, if given (of the same metrics), measures the whole label and keeps it laid out for
// PaintLabel.
LabelRuns FitLabel(QStringView pattern, const QString& name, const QString& code,
                   const ItemFacts& facts, const QFontMetrics& metrics, int width,
                   int* advance = nullptr, LabelShaper* shaper = nullptr);

} // namespace mosgrid
