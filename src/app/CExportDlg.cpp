#include "app/CExportDlg.h"

#include "base/FileTexts.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mosgrid {

namespace {

constexpr int kPathChars = 48;

} // namespace

CExportDlg::CExportDlg(QWidget* parent, const QString& listFile)
    : QDialog(parent)
    , m_listFile(listFile)
{
    setWindowTitle(FileTexts::kExportCaption);
    auto* layout = new QVBoxLayout(this);
    m_pdf = new QRadioButton(FileTexts::kExportPdf, this);
    m_sheet = new QRadioButton(FileTexts::kExportSheet, this);
    m_folder = new QRadioButton(FileTexts::kExportFolder, this);
    m_csv = new QRadioButton(FileTexts::kExportCsv, this);
    m_pdf->setObjectName(QStringLiteral("pdf"));
    m_sheet->setObjectName(QStringLiteral("sheet"));
    m_folder->setObjectName(QStringLiteral("folder"));
    m_csv->setObjectName(QStringLiteral("csv"));
    for (QRadioButton* button : {m_pdf, m_sheet, m_folder, m_csv}) {
        layout->addWidget(button);
        connect(button, &QRadioButton::toggled, this, [this](bool on) {
            if (on)
                OnKindChanged();
        });
    }

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(FileTexts::kExportPathLabel, this));
    m_path = new QLineEdit(this);
    m_path->setObjectName(QStringLiteral("path"));
    m_path->setMinimumWidth(m_path->fontMetrics().averageCharWidth() * kPathChars);
    row->addWidget(m_path, 1);
    auto* browse = new QPushButton(FileTexts::kExportBrowse, this);
    connect(browse, &QPushButton::clicked, this, &CExportDlg::OnBrowse);
    row->addWidget(browse);
    layout->addLayout(row);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    m_pdf->setChecked(true);
}

ExportKind CExportDlg::kind() const
{
    if (m_sheet->isChecked())
        return ExportKind::PngSheet;
    if (m_folder->isChecked())
        return ExportKind::PngFolder;
    if (m_csv->isChecked())
        return ExportKind::Csv;
    return ExportKind::Pdf;
}

void CExportDlg::SetKind(ExportKind kind)
{
    switch (kind) {
    case ExportKind::Pdf:
        m_pdf->setChecked(true);
        break;
    case ExportKind::PngSheet:
        m_sheet->setChecked(true);
        break;
    case ExportKind::PngFolder:
        m_folder->setChecked(true);
        break;
    case ExportKind::Csv:
        m_csv->setChecked(true);
        break;
    }
}

QString CExportDlg::target() const
{
    return m_path->text().trimmed();
}

void CExportDlg::SetTarget(const QString& path)
{
    m_path->setText(path);
}

QString CExportDlg::SuggestedTarget(const QString& listFile, ExportKind kind)
{
    const QFileInfo list(listFile);
    const QString stem = list.path() + QLatin1Char('/') + list.completeBaseName();
    switch (kind) {
    case ExportKind::Pdf:
        return stem + QStringLiteral(".pdf");
    case ExportKind::PngSheet:
        return stem + QStringLiteral(".png");
    case ExportKind::PngFolder:
        return stem + QStringLiteral("_png/");
    case ExportKind::Csv:
        return stem + QStringLiteral(".csv");
    }
    return stem;
}

void CExportDlg::OnKindChanged()
{
    // A path the user typed stays; the suggestion follows the kind.
    const QString suggested = SuggestedTarget(m_listFile, kind());
    if (m_path->text().isEmpty() || m_path->text() == m_suggested)
        m_path->setText(suggested);
    m_suggested = suggested;
}

void CExportDlg::OnBrowse()
{
    QString chosen;
    if (kind() == ExportKind::PngFolder) {
        chosen = QFileDialog::getExistingDirectory(this, FileTexts::kExportCaption, target());
        if (!chosen.isEmpty() && !chosen.endsWith(QLatin1Char('/')))
            chosen += QLatin1Char('/');
    } else {
        const QString filter = kind() == ExportKind::Pdf ? FileTexts::kExportPdfFilter
            : kind() == ExportKind::Csv                  ? FileTexts::kExportCsvFilter
                                                         : FileTexts::kExportPngFilter;
        chosen = QFileDialog::getSaveFileName(this, FileTexts::kExportCaption, target(), filter);
        // The dialog asked before it let an existing file be chosen.
        if (!chosen.isEmpty() && QFileInfo::exists(chosen))
            m_confirmed = chosen;
    }
    if (!chosen.isEmpty())
        m_path->setText(chosen);
}

bool CExportDlg::ReplaceConfirmed() const
{
    return !m_confirmed.isEmpty() && target() == m_confirmed;
}

} // namespace mosgrid
