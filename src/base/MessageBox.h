#pragma once

#include <QString>

#include <functional>

namespace mosgrid {

// The program's one way to tell the user about a failure: a modal box with the caption
// "mosgrid", an OK button and a warning icon.
void ShowMessageBox(const QString& text);

// Replaces the modal box, for tests and headless runs; an empty handler restores the box.
using MessageBoxHandler = std::function<void(const QString&)>;
void SetMessageBoxHandler(MessageBoxHandler handler);

// With no window anyone could see (printing from the command line), the text goes to
// standard error instead of a box that would wait for ever; a handler still comes first.
void SetMessagesToStandardError(bool toStandardError);

// The handler in place (empty: the modal box), so a caller can put it back afterwards.
MessageBoxHandler CurrentMessageBoxHandler();

} // namespace mosgrid
