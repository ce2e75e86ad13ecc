#pragma once

#include <QString>

namespace mosgrid {

// What is wrong with an expression and where: position counts the text's characters from 0.
struct ScreenError {
    int position = 0;
    QString message;

    // "n 文字目: message", counting from 1 as a user does.
    QString Text() const;
};

} // namespace mosgrid
