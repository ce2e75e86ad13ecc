#include "app/HelpWindow.h"

#include "base/AppTexts.h"

#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace mosgrid {

namespace {

// About a page of text at the dialog font, in device-independent pixels.
constexpr int kWidth = 720;
constexpr int kHeight = 560;

} // namespace

HelpWindow::HelpWindow(const QString& page, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_pBrowser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("helpWindow"));
    setWindowTitle(AppTexts::kHelpWindowTitle);
    setAttribute(Qt::WA_QuitOnClose, false);
    // Links to other sites still go to the desktop, which may have something for them.
    m_pBrowser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pBrowser);
    resize(kWidth, kHeight);
    ShowPage(page);
}

void HelpWindow::ShowPage(const QString& page)
{
    m_pBrowser->setSource(QUrl::fromLocalFile(page));
}

} // namespace mosgrid
