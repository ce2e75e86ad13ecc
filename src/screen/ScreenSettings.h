#pragma once

#include <QString>
#include <QStringList>

namespace mosgrid {

class SettingsStore;

// Where screening keeps its state in the settings file: the active condition as
// [View] Screen= (empty: none) and the last ones typed as [Screen] Recent1 … Recent8,
// newest first. Written as UTF-8; a value that is no UTF-8 is read as Shift-JIS.
namespace ScreenSettings {

inline constexpr char kSectionView[] = "View";
inline constexpr char kScreen[] = "Screen";
inline constexpr char kSectionScreen[] = "Screen";
inline constexpr char kRecentPrefix[] = "Recent";
inline constexpr int kRecentCount = 8;

QString ReadActive(const SettingsStore& settings);
void WriteActive(SettingsStore& settings, const QString& condition);

QStringList ReadRecent(const SettingsStore& settings);
// condition first, an earlier copy of it taken out, at most kRecentCount kept.
void AddRecent(SettingsStore& settings, const QString& condition);
// The recent list with condition put first (pure).
QStringList WithRecent(QStringList recent, const QString& condition);

} // namespace ScreenSettings

} // namespace mosgrid
