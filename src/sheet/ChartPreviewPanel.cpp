#include "sheet/ChartPreviewPanel.h"

#include "base/LabelTexts.h"
#include "settings/IChartPreview.h"
#include "sheet/StoredText.h"

#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace mosgrid {

namespace {

constexpr QRgb kProblemColor = 0xffb00000;
constexpr QRgb kFineColor = 0xff106010;
constexpr QRgb kPictureBack = 0xff000000;   // as the catalog's background

void SetCheckColor(QLabel* label, QRgb color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(color));
    label->setPalette(palette);
}

} // namespace

ChartPreviewPanel::ChartPreviewPanel(std::shared_ptr<IChartPreview> preview, QWidget* parent)
    : QWidget(parent)
    , m_preview(std::move(preview))
{
    const QString subject = m_preview->SubjectName();
    m_pCaption = new QLabel(subject.isEmpty() ? LabelTexts::kPreviewSample
                                              : LabelTexts::kPreviewOn.arg(subject), this);
    m_pCaption->setTextFormat(Qt::PlainText);
    m_pCheck = new QLabel(this);
    m_pCheck->setObjectName(QStringLiteral("definitionCheck"));
    m_pCheck->setTextFormat(Qt::PlainText);
    m_pPicture = new QLabel(this);
    m_pPicture->setObjectName(QStringLiteral("definitionPreview"));
    m_pPicture->setAlignment(Qt::AlignCenter);
    m_pPicture->setAutoFillBackground(true);
    QPalette palette = m_pPicture->palette();
    palette.setColor(QPalette::Window, QColor(kPictureBack));
    m_pPicture->setPalette(palette);
    m_pPicture->setMinimumSize(1, 1);
    m_pPicture->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pCheck);
    layout->addWidget(m_pCaption);
    layout->addWidget(m_pPicture, 1);

    m_pause.setSingleShot(true);
    m_pause.setInterval(kTypingPauseMs);
    connect(&m_pause, &QTimer::timeout, this, &ChartPreviewPanel::StartRender);
    connect(&m_watcher, &QFutureWatcher<QImage>::finished, this, &ChartPreviewPanel::OnRendered);
    SetDefinition(QString());
}

ChartPreviewPanel::~ChartPreviewPanel()
{
    m_pause.stop();
    m_watcher.disconnect(this);
}

void ChartPreviewPanel::SetDefinition(const QString& text)
{
    m_definition = StoredBytes(text);
    m_bProblem = false;
    if (text.trimmed().isEmpty()) {
        m_pCheck->setText(LabelTexts::kDefinitionEmpty);
        m_pCheck->setToolTip(QString());
        SetCheckColor(m_pCheck, kFineColor);
    } else {
        const QString problem = m_preview->CheckDefinition(m_definition);
        m_bProblem = !problem.isEmpty();
        m_pCheck->setText(problem.isEmpty() ? LabelTexts::kDefinitionOk : problem);
        // A long message may pass the dialog's edge: the whole of it on hovering.
        m_pCheck->setToolTip(problem);
        SetCheckColor(m_pCheck, problem.isEmpty() ? kFineColor : kProblemColor);
    }
    m_pause.start();
}

QString ChartPreviewPanel::checkText() const
{
    return m_pCheck->text();
}

bool ChartPreviewPanel::IsBusy() const
{
    return m_pause.isActive() || m_bRendering;
}

void ChartPreviewPanel::StartRender()
{
    if (m_bRendering) {
        // One at a time: the newest text goes next.
        m_bStale = true;
        return;
    }
    m_bRendering = true;
    m_bStale = false;
    m_watcher.setFuture(m_preview->RenderDefinition(m_definition));
}

void ChartPreviewPanel::OnRendered()
{
    m_bRendering = false;
    m_image = m_watcher.future().resultCount() > 0 ? m_watcher.result() : QImage();
    ShowImage();
    if (m_bStale) {
        StartRender();
        return;
    }
    emit previewShown();
}

void ChartPreviewPanel::ShowImage()
{
    if (m_image.isNull()) {
        m_pPicture->clear();
        return;
    }
    QPixmap pixmap = QPixmap::fromImage(m_image);
    // A thumbnail larger than the room is shown smaller, its shape kept.
    if (pixmap.width() > m_pPicture->width() || pixmap.height() > m_pPicture->height())
        pixmap = pixmap.scaled(m_pPicture->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_pPicture->setPixmap(pixmap);
}

void ChartPreviewPanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ShowImage();
}

} // namespace mosgrid
