#pragma once

namespace mosgrid {

// What DoModal returns, as the platform's IDOK and IDCANCEL.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

} // namespace mosgrid
