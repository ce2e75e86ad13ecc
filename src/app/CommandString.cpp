#include "app/CommandString.h"

#include <QAction>
#include <QStringList>

namespace mosgrid {

void SetCommandString(QAction* action, const QString& commandString)
{
    const QStringList parts = commandString.split(QLatin1Char('\n'));
    action->setStatusTip(parts.value(0));
    action->setToolTip(parts.value(1));
}

} // namespace mosgrid
