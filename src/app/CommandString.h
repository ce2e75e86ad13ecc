#pragma once

#include <QString>

class QAction;

namespace mosgrid {

// A menu command's string: the status-bar prompt, a line break, the tool tip.
void SetCommandString(QAction* action, const QString& commandString);

} // namespace mosgrid
