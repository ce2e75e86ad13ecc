#pragma once

#include <string>

namespace mosgrid {

// Whether the list file opens the way the view will read it; when it does not, a message box
// names the file. A FIFO is not opened, so its stream stays whole for the view.
bool ConfirmListOpens(const std::string& path);

} // namespace mosgrid
