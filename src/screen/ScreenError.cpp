#include "screen/ScreenError.h"

#include "screen/ScreenTexts.h"

namespace mosgrid {

QString ScreenError::Text() const
{
    return ScreenTexts::kAt.arg(position + 1).arg(message);
}

} // namespace mosgrid
