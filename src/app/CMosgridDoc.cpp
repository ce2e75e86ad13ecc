#include "app/CMosgridDoc.h"

#include "base/AppTexts.h"
#include "base/MessageBox.h"
#include "catalog/CListFileReader.h"

#include <QFile>

void CMosgridDoc::Serialize(bool /*bStoring*/)
{
}

void CMosgridDoc::SetTitle(const std::string& /*title*/)
{
}

bool CMosgridDoc::OnNewDocument()
{
    return true;
}

bool CMosgridDoc::OnOpenDocument(const std::string& path)
{
    // The file must open the way the view will read it: a device, a folder or a file that
    // another program holds would otherwise give an empty catalog as if it were one.
    if (!CListFileReader::CanOpen(path)) {
        const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
        ShowMessageBox(AppTexts::kOpenFailed.arg(shown));
        return false;
    }
    Serialize(false);
    return true;
}
