#include "app/CCatalogApp.h"
#include "app/HeadlessPlatform.h"

#include <QApplication>

#include <string>
#include <vector>

using namespace mosgrid;

int main(int argc, char** argv)
{
    // Printing and exporting need no display: without one, Qt must be told before it looks.
    PrepareWindowlessRun(std::vector<std::string>(argv + 1, argv + argc));
    QApplication application(argc, argv);
    CCatalogApp app;
    // QApplication has taken its own options out of argv; the rest are the program's.
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!app.InitInstance(args))
        return app.exitCode();
    return QApplication::exec();
}
