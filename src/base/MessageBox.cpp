#include "base/MessageBox.h"

#include "base/AppTexts.h"

#include <QApplication>
#include <QMessageBox>

namespace {

MessageBoxHandler& handler()
{
    static MessageBoxHandler instance;
    return instance;
}

} // namespace

void SetMessageBoxHandler(MessageBoxHandler newHandler)
{
    handler() = std::move(newHandler);
}

MessageBoxHandler CurrentMessageBoxHandler()
{
    return handler();
}

void ShowMessageBox(const QString& text)
{
    if (handler()) {
        handler()(text);
        return;
    }
    QMessageBox box(QMessageBox::Warning, AppTexts::kAppName, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}
