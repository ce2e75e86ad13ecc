#include "sheet/ColorChooser.h"

#include <QColor>
#include <QColorDialog>

namespace mosgrid {

namespace {

ColorChooser& CurrentChooser()
{
    static ColorChooser chooser;
    return chooser;
}

std::optional<ColorRef> AskColorDialog(ColorRef initial)
{
    // No parent and no extra options: the plain standard dialog.
    const QColor chosen = QColorDialog::getColor(QColor::fromRgb(ColorRefToRgb(initial)));
    if (!chosen.isValid())
        return std::nullopt;
    return RgbToColorRef(chosen.rgb());
}

} // namespace

std::optional<ColorRef> ChooseColor(ColorRef initial)
{
    const ColorChooser& chooser = CurrentChooser();
    return chooser ? chooser(initial) : AskColorDialog(initial);
}

void SetColorChooser(ColorChooser chooser)
{
    CurrentChooser() = std::move(chooser);
}

} // namespace mosgrid
