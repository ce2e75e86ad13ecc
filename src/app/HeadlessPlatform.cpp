#include "app/HeadlessPlatform.h"

#include "app/CommandLineExport.h"

#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

bool IsSet(const char* value)
{
    return value != nullptr && *value != '\0';
}

// Warnings about the desktop session (no runtime folder, no display settings) say nothing
// about the export; critical messages still go out.
void OnlyCriticalMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

bool NeedsOffscreenPlatform(bool windowless, const char* chosenPlatform, const char* x11Display,
                            const char* waylandDisplay)
{
    return windowless && !IsSet(chosenPlatform) && !IsSet(x11Display) && !IsSet(waylandDisplay);
}

void PrepareWindowlessRun(const std::vector<std::string>& args)
{
    const bool windowless = HasExportOption(args);
    if (NeedsOffscreenPlatform(windowless, std::getenv("QT_QPA_PLATFORM"),
                               std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY")))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (windowless)
        qInstallMessageHandler(OnlyCriticalMessages);
}
