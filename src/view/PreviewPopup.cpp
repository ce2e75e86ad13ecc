#include "view/PreviewPopup.h"

#include "view/ChartPicture.h"

#include <QVBoxLayout>

namespace {

constexpr int kFrame = 1;

} // namespace

PreviewPopup::PreviewPopup(const ChartRequest& request, int item, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput)
    , m_nItem(item)
    , m_pPicture(new ChartPicture(this))
{
    setObjectName(QStringLiteral("previewPopup"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_QuitOnClose, false);
    setAutoFillBackground(true);
    QPalette frame = palette();
    frame.setColor(QPalette::Window, Qt::white);
    setPalette(frame);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kFrame, kFrame, kFrame, kFrame);
    m_pPicture->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(m_pPicture);
    resize(request.size + QSize(2 * kFrame, 2 * kFrame));
    m_pPicture->Request(request);
}
