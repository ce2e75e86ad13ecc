#include "app/ListOpenCheck.h"

#include "base/AppTexts.h"
#include "base/MessageBox.h"
#include "catalog/CListFileReader.h"

#include <QFile>

bool ConfirmListOpens(const std::string& path)
{
    // A device, a folder or a file that another program holds would otherwise give an empty
    // catalog as if it were one.
    if (CListFileReader::CanOpen(path))
        return true;
    ShowMessageBox(AppTexts::kOpenFailed.arg(QFile::decodeName(QByteArray::fromStdString(path))));
    return false;
}
