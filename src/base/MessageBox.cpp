#include "base/MessageBox.h"

#include "base/AppTexts.h"

#include <QApplication>
#include <QMessageBox>

#include <atomic>
#include <cstdio>

namespace mosgrid {

namespace {

std::atomic<bool> g_toStandardError{false};

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

void SetMessagesToStandardError(bool toStandardError)
{
    g_toStandardError = toStandardError;
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
    if (g_toStandardError) {
        // One line, so that scripts can take it as it comes.
        const QString shown = text.trimmed().replace(QLatin1Char('\n'), QLatin1Char(' '));
        const QByteArray line = (AppTexts::kAppName + QStringLiteral(": ") + shown).toLocal8Bit();
        std::fprintf(stderr, "%s\n", line.constData());
        std::fflush(stderr);
        return;
    }
    QMessageBox box(QMessageBox::Warning, AppTexts::kAppName, text, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace mosgrid
