#include "app/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace mosgrid {

namespace {

constexpr char kQtCatalogue[] = "qtbase_ja";

} // namespace

bool InstallQtTranslations()
{
    static const bool installed = [] {
        // Owned by the application object, so it lives as long as the texts it gives.
        auto* translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLatin1String(kQtCatalogue),
                             QLibraryInfo::path(QLibraryInfo::TranslationsPath))
            && QCoreApplication::installTranslator(translator))
            return true;
        delete translator;
        return false;
    }();
    return installed;
}

} // namespace mosgrid
