#include "app/CCatalogApp.h"
#include "app/CCatalogCommandLineInfo.h"
#include "app/DisplayChoice.h"

#include <QApplication>

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    // Printing needs no display: without one, Qt must be told before it looks for one.
    const std::vector<std::string> given(argv + 1, argv + argc);
    if (AsksForPrinting(given)) {
        const std::string platform =
            PlatformForWindowlessRun(DisplayEnvironment::OfProcess(), given);
        if (!platform.empty())
            qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString(platform));
    }
    QApplication application(argc, argv);
    CCatalogApp app;
    // QApplication has taken its own options out of argv; the rest are the program's.
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!app.InitInstance(args))
        return app.exitCode();
    return QApplication::exec();
}
