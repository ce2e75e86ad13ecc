#include "app/WindowPlacement.h"

#include "settings/SettingsStore.h"
#include "settings/FileSettingsKeys.h"

#include <QGuiApplication>
#include <QMainWindow>
#include <QScreen>

#include <climits>
#include <string>

namespace mosgrid {

namespace WindowPlacement {

namespace {

using namespace FileSettingsKeys;

constexpr int kAbsent = INT_MIN;

} // namespace

std::optional<Saved> Read(const SettingsStore& settings)
{
    const int left = settings.ReadInt(kSectionWindow, kLeft, kAbsent);
    const int top = settings.ReadInt(kSectionWindow, kTop, kAbsent);
    const int width = settings.ReadInt(kSectionWindow, kWidth, kAbsent);
    const int height = settings.ReadInt(kSectionWindow, kHeight, kAbsent);
    if (left == kAbsent || top == kAbsent || width == kAbsent || height == kAbsent
        || width <= 0 || height <= 0)
        return std::nullopt;
    return Saved{QRect(left, top, width, height),
                 settings.ReadInt(kSectionWindow, kMaximized, 0) == 1};
}

void Write(SettingsStore& settings, const Saved& saved)
{
    const std::pair<const char*, int> values[] = {
        {kLeft, saved.geometry.left()},
        {kTop, saved.geometry.top()},
        {kWidth, saved.geometry.width()},
        {kHeight, saved.geometry.height()},
        {kMaximized, saved.maximized ? 1 : 0},
    };
    // One replace of the file: a crash never leaves half a placement.
    SettingsWriteBatch writes;
    for (const auto& [key, value] : values)
        writes.push_back({kSectionWindow, key, std::to_string(value)});
    settings.WriteTexts(writes);
}

Fit FitOnScreens(const QRect& saved, const QList<QRect>& screens)
{
    if (saved.isEmpty())
        return Fit::None;
    for (const QRect& screen : screens) {
        if (screen.contains(saved))
            return Fit::Whole;
    }
    for (const QRect& screen : screens) {
        if (saved.width() <= screen.width() && saved.height() <= screen.height())
            return Fit::SizeOnly;
    }
    return Fit::None;
}

QSize FittedSize(QSize saved, const QList<QRect>& screens)
{
    QSize best;
    for (const QRect& screen : screens) {
        const QSize fitted = saved.boundedTo(screen.size());
        if (fitted.width() * qint64(fitted.height()) > best.width() * qint64(best.height()))
            best = fitted;
    }
    return best.isEmpty() ? saved : best;
}

Saved ToKeep(const Saved& now, const std::optional<Restored>& restored)
{
    Saved kept = now;
    if (restored && restored->applied != restored->saved
        && now.geometry.size() == restored->applied)
        kept.geometry.setSize(restored->saved);
    return kept;
}

std::optional<Restored> Restore(QMainWindow& window, const SettingsStore& settings)
{
    const std::optional<Saved> saved = Read(settings);
    if (!saved)
        return std::nullopt;
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens << screen->availableGeometry();
    const QSize size = saved->geometry.size();
    switch (FitOnScreens(saved->geometry, screens)) {
    case Fit::Whole:
        window.setGeometry(saved->geometry);
        break;
    case Fit::SizeOnly:
        window.resize(size);
        break;
    case Fit::None:
        // Saved at a smaller scale, or on a larger screen: as large as a screen here allows.
        if (screens.isEmpty() || size.isEmpty())
            return std::nullopt;
        window.resize(FittedSize(size, screens));
        break;
    }
    if (saved->maximized)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return Restored{size, window.size()};
}

void Save(const QMainWindow& window, SettingsStore& settings,
          const std::optional<Restored>& restored)
{
    // Only the settings sheet's OK makes the file: closing the window never does.
    if (!settings.FileExists())
        return;
    const Saved now = ToKeep(Saved{window.normalGeometry(), window.isMaximized()}, restored);
    const std::optional<Saved> kept = Read(settings);
    if (kept && kept->geometry == now.geometry && kept->maximized == now.maximized)
        return;
    Write(settings, now);
}

} // namespace WindowPlacement

} // namespace mosgrid
