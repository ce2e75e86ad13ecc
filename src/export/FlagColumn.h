#pragma once

#include "settings/FlagColor.h"

#include <QString>

namespace mosgrid {

// The value table's column of colour flags: the flag's number as its key gives it (1 red,
// 2 orange, 3 yellow, 4 green, 5 blue, 6 purple), 0 for none, so a spreadsheet filters it
// as the condition `flag = 3` reads.
namespace FlagColumn {

inline const QString kHeader = QStringLiteral("flag");

inline QString Value(FlagColor color)
{
    return QString::number(FlagNumber(color));
}

} // namespace FlagColumn

} // namespace mosgrid
