#pragma once

#include <QList>
#include <QRect>

#include <optional>

class ChartSettings;
class QMainWindow;

// The main window's size, position and maximised state, kept in [Window] when it closes and
// given back at the next start when it fits on a screen there.
namespace WindowPlacement {

struct Saved {
    QRect geometry;  // the normal (not maximised) geometry
    bool maximized = false;
};

// Nothing unless all four numbers are there and the size is positive.
std::optional<Saved> Read(const ChartSettings& settings);
void Write(ChartSettings& settings, const Saved& saved);

enum class Fit {
    Whole,     // inside one screen's available area: size and position
    SizeOnly,  // the screen it was on is gone, the size fits another: size only
    None,      // larger than every screen: the first-start size
};
Fit FitOnScreens(const QRect& saved, const QList<QRect>& screens);

// Applied before the window is first shown.
void Restore(QMainWindow& window, const ChartSettings& settings);
// Written when it differs from what is kept, and only into a settings file that exists.
void Save(const QMainWindow& window, ChartSettings& settings);

} // namespace WindowPlacement
