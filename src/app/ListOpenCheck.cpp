#include "app/ListOpenCheck.h"

#include "base/AppTexts.h"
#include "base/MessageBox.h"
#include "catalog/CListFileReader.h"
#include "catalog/SourceCatalog.h"

#include <QFile>

#include <unistd.h>

namespace mosgrid {

bool ConfirmListOpens(const std::string& path)
{
    // A device, a folder or a file that another program holds would otherwise give an empty
    // catalog as if it were one.
    if (CListFileReader::CanOpen(path))
        return true;
    // A folder of price files or a price database opens as the catalog of its codes.
    if (SourceCatalogKindOf(path) != SourceCatalogKind::None
        && ::access(path.c_str(), R_OK) == 0)
        return true;
    ShowMessageBox(AppTexts::kOpenFailed.arg(QFile::decodeName(QByteArray::fromStdString(path))));
    return false;
}

} // namespace mosgrid
