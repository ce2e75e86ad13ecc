#include "app/HeadlessPlatform.h"

#include "app/CCatalogCommandLineInfo.h"
#include "app/CommandLineExport.h"
#include "app/DisplayChoice.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>

namespace mosgrid {

namespace {

// Warnings about the desktop session (no runtime folder, no display settings) say nothing
// about the export; critical messages still go out.
void OnlyCriticalMessages(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

} // namespace

void PrepareWindowlessRun(const std::vector<std::string>& args)
{
    const bool exporting = HasExportOption(args);
    if (!exporting && !AsksForPrinting(args))
        return;
    const std::string platform = PlatformForWindowlessRun(DisplayEnvironment::OfProcess(), args);
    if (!platform.empty())
        qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
    if (exporting)
        qInstallMessageHandler(OnlyCriticalMessages);
}

} // namespace mosgrid
