#pragma once

namespace mosgrid {

// The keys of mosgrid.ini that remember lists and the window (watching is kept in [View],
// see ViewChoices.h). Absent keys mean the program's first-start behaviour.
namespace FileSettingsKeys {

// The lists opened last, newest first: File1 .. File8.
inline constexpr char kSectionRecent[] = "Recent";
inline constexpr char kRecentFormat[] = "File%1";
inline constexpr int kMaxRecent = 8;

// The window's normal geometry (client area, screen pixels) and whether it was maximised.
inline constexpr char kSectionWindow[] = "Window";
inline constexpr char kLeft[] = "Left";
inline constexpr char kTop[] = "Top";
inline constexpr char kWidth[] = "Width";
inline constexpr char kHeight[] = "Height";
inline constexpr char kMaximized[] = "Maximized";

} // namespace FileSettingsKeys

} // namespace mosgrid
