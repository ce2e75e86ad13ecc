#pragma once

#include "settings/SettingsValues.h"

#include <functional>
#include <optional>

namespace mosgrid {

// The standard colour dialog behind a replaceable function, so tests can answer it.

// Asks the user for a colour, starting from `initial`; no value when the user cancels.
using ColorChooser = std::function<std::optional<ColorRef>(ColorRef initial)>;

std::optional<ColorRef> ChooseColor(ColorRef initial);

// Replaces the dialog; an empty chooser restores QColorDialog.
void SetColorChooser(ColorChooser chooser);

} // namespace mosgrid
