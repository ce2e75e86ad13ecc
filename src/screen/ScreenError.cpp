#include "screen/ScreenError.h"

#include "screen/ScreenTexts.h"

QString ScreenError::Text() const
{
    return ScreenTexts::kAt.arg(position + 1).arg(message);
}
