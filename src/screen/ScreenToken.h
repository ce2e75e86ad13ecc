#pragma once

#include <QString>

namespace mosgrid {

// One word of a condition. Names are folded to lower case; keywords of either language
// come as their own kinds.
struct ScreenToken {
    enum class Kind {
        Number, Name, And, Or, Not, Plus, Minus, Times, Divide, Less, LessEqual, Greater,
        GreaterEqual, Equal, NotEqual, Open, Close, OpenBracket, CloseBracket, Comma, End
    };
    Kind kind = Kind::End;
    QString text;       // as written
    double number = 0;  // Number
    int position = 0;   // of its first character
};

} // namespace mosgrid
