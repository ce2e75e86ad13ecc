#pragma once

#include "settings/SettingsValues.h"

#include <QIcon>
#include <QSize>

namespace mosgrid {

// A colour button's sample of its colour: the colour filled, in a thin dark frame.
QIcon ColorSwatchIcon(ColorRef color, QSize size);

} // namespace mosgrid
