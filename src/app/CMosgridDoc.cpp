#include "app/CMosgridDoc.h"

#include "base/AppTexts.h"
#include "base/MessageBox.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace {

// Opens the way a document file is opened for reading: O_NONBLOCK so that a FIFO cannot
// hang start-up, and a directory does not count as a readable file.
bool CanOpenForReading(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    ::close(fd);
    return ok;
}

} // namespace

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
    if (!CanOpenForReading(path)) {
        const QString shown = QFile::decodeName(QByteArray::fromStdString(path));
        ShowMessageBox(AppTexts::kOpenFailed.arg(shown));
        return false;
    }
    Serialize(false);
    return true;
}
