#pragma once

#include "screen/ScreenError.h"
#include "screen/ScreenToken.h"

#include <QString>

#include <optional>
#include <vector>

namespace mosgrid {

// Splits a condition into tokens. Full-width letters, digits and signs (as a Japanese input
// method types them) count as their ASCII forms; "change%" is one name.
class ScreenLexer {
public:
    struct Result {
        std::vector<ScreenToken> tokens;  // ends with an End token
        std::optional<ScreenError> error;
    };

    static Result Tokenize(const QString& text);
    // The text with full-width ASCII forms and the ideographic space made ASCII; the same
    // length, so positions stay.
    static QString Narrowed(const QString& text);
};

} // namespace mosgrid
