#pragma once

#include <Qt>

#include <optional>

namespace mosgrid {

// What a key does in the chart window.
enum class ChartAction {
    ZoomIn, ZoomOut,
    BarBack, BarForward, ScreenBack, ScreenForward, Oldest, Newest,
    CrosshairBack, CrosshairForward,
    Daily, Weekly, Monthly, Log,
    NextItem, PreviousItem, Slideshow,
    Copy, Save, Print,
    Close,
};

// The action of a key with its modifiers (the keypad's counts as none); nothing for a key
// the window leaves alone.
std::optional<ChartAction> ChartActionOf(int key, Qt::KeyboardModifiers modifiers);

} // namespace mosgrid
