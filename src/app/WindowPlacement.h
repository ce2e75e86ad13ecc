#pragma once

#include <QList>
#include <QRect>
#include <QSize>

#include <optional>

class QMainWindow;

namespace mosgrid {

class SettingsStore;

// The main window's size, position and maximised state, kept in [Window] when it closes and
// given back at the next start. Qt's window geometry is in device-independent pixels, so the
// same numbers serve every display scale; a size larger than the screens at this scale is
// shrunk to fit for the session but kept as it was saved.
namespace WindowPlacement {

struct Saved {
    QRect geometry;  // the normal (not maximised) geometry
    bool maximized = false;
};

// Nothing unless all four numbers are there and the size is positive.
std::optional<Saved> Read(const SettingsStore& settings);
void Write(SettingsStore& settings, const Saved& saved);

enum class Fit {
    Whole,     // inside one screen's available area: size and position
    SizeOnly,  // the screen it was on is gone, the size fits another: size only
    None,      // larger than every screen: the first-start size
};
Fit FitOnScreens(const QRect& saved, const QList<QRect>& screens);

// What a restore did: the size saved and the size given to the window.
struct Restored {
    QSize saved;
    QSize applied;
};

// The largest size within one of the screens (their available areas), or saved itself.
QSize FittedSize(QSize saved, const QList<QRect>& screens);
// What to keep at close: the window as it is now, except that a size the restore shrank to
// fit, left so by the user, keeps the size that was saved (another scale has room for it).
Saved ToKeep(const Saved& now, const std::optional<Restored>& restored);

// Applied before the window is first shown.
std::optional<Restored> Restore(QMainWindow& window, const SettingsStore& settings);
// Written when it differs from what is kept, and only into a settings file that exists.
void Save(const QMainWindow& window, SettingsStore& settings,
          const std::optional<Restored>& restored = std::nullopt);

} // namespace WindowPlacement

} // namespace mosgrid
