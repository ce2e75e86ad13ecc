#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

namespace mosgrid {

// The dialog font of the original resources ("ＭＳ Ｐゴシック", 9 points) and the conversion
// of dialog units to pixels with that font, so every dialog keeps its arrangement.

// Registers the Linux stand-in for the dialog font; call once before any dialog is made.
void InstallFontSubstitutes();

QFont DialogFont();

// Dialog-unit base of a font: average character width and character height in pixels.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;
};
DialogBaseUnits BaseUnitsOf(const QFont& font);

// One dialog unit is a quarter of the average character width horizontally and an eighth of
// the character height vertically.
QRect DluToPixels(const DialogBaseUnits& units, int x, int y, int width, int height);
QSize DluToPixels(const DialogBaseUnits& units, int width, int height);

} // namespace mosgrid
