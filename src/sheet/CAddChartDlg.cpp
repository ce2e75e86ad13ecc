#include "sheet/CAddChartDlg.h"

#include "base/DialogLayout.h"
#include "settings/ChartKinds.h"
#include "sheet/ByteLimit.h"
#include "settings/SettingsKeys.h"
#include "sheet/ChartKindChooser.h"
#include "sheet/ChartPreviewPanel.h"
#include "sheet/DialogResults.h"
#include "sheet/SheetTexts.h"

#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>

#include <string>

namespace mosgrid {

namespace {

// Dialog 131, in dialog units, with the explanation and the kind chooser above it.
constexpr int kWidth = 283;
constexpr int kHeight = 69;
constexpr int kIntroTop = 7;
constexpr int kIntroHeight = 18;
constexpr int kChooserTop = kIntroTop + kIntroHeight + 2;

// The dialog's own controls move down below the chooser.
int Shift()
{
    return kChooserTop + ChartKindChooser::HeightDlu();
}

// With a preview: the preview under the edit, the buttons under the preview.
constexpr int kPreviewTop = 43;
constexpr int kPreviewHeight = 150;
constexpr int kButtonsTopWithPreview = kPreviewTop + kPreviewHeight + 6;
constexpr int kHeightWithPreview = kButtonsTopWithPreview + 14 + 7;

constexpr int kIdChart = 1004;
constexpr int kIdHelp = 3;

// "%s" replaced by the executable's directory, whose bytes stay as they are.
QString ChartsHelpPath(const std::string& exeDir)
{
    std::string path = SheetTexts::kChartsHelpFormat;
    path.replace(path.find("%s"), 2, exeDir);
    return QFile::decodeName(QByteArray::fromStdString(path));
}

} // namespace

CAddChartDlg::CAddChartDlg(std::string exeDir, QWidget* parent)
    : QDialog(parent)
    , m_strExeDir(std::move(exeDir))
{
    setWindowTitle(SheetTexts::kAddChartTitle);
    setFont(DialogFont());
    const DialogBaseUnits units = BaseUnitsOf(font());
    const int shift = Shift();
    setFixedSize(DluToPixels(units, kWidth, kHeight + shift));

    auto* intro = new QLabel(SheetTexts::kAddChartExplain, this);
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);
    intro->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    intro->setGeometry(DluToPixels(units, 7, kIntroTop, 269, kIntroHeight));
    m_pChooser = new ChartKindChooser(units, this);
    m_pChooser->setGeometry(
        DluToPixels(units, 0, kChooserTop, kWidth, ChartKindChooser::HeightDlu()));

    // Resource order, which is also the tab order.
    m_pEditChart = new QLineEdit(this);
    m_pEditChart->setObjectName(QString::number(kIdChart));
    m_pEditChart->setGeometry(DluToPixels(units, 7, 25 + shift, 269, 14));
    m_pEditChart->setMaxLength(SettingsKeys::kMaxTextLength);
    m_pEditChart->setValidator(new ByteLimitValidator(SettingsKeys::kMaxTextBytes, m_pEditChart));

    auto* ok = m_pOk = new QPushButton(SheetTexts::kOk, this);
    ok->setObjectName(QString::number(kIdOk));
    ok->setGeometry(DluToPixels(units, 226, 48 + shift, 50, 14));
    ok->setDefault(true);
    auto* cancel = new QPushButton(SheetTexts::kCancel, this);
    cancel->setObjectName(QString::number(kIdCancel));
    cancel->setGeometry(DluToPixels(units, 171, 48 + shift, 50, 14));

    auto* hint = new QLabel(SheetTexts::kAddChartHint, this);
    hint->setTextFormat(Qt::PlainText);
    hint->setGeometry(DluToPixels(units, 7, 7 + shift, 269, 11));

    auto* help = new QPushButton(SheetTexts::kHelp, this);
    help->setObjectName(QString::number(kIdHelp));
    help->setGeometry(DluToPixels(units, 7, 48 + shift, 50, 14));

    connect(ok, &QPushButton::clicked, this, &CAddChartDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &CAddChartDlg::OnChartsHelp);
    connect(m_pChooser, &ChartKindChooser::edited, this, &CAddChartDlg::OnChooserEdited);
    connect(m_pEditChart, &QLineEdit::textChanged, this, [this](const QString& text) {
        if (!m_bWriting)
            m_pChooser->ShowDefinition(text.toStdString());
    });
    setTabOrder(m_pChooser, m_pEditChart);
}

void CAddChartDlg::OnChooserEdited(int kind, const std::vector<std::string>& values)
{
    const std::string now = m_pEditChart->text().toStdString();
    const std::string written = ChartKinds::WriteDefinition(now, std::size_t(kind), values);
    m_pChooser->KeepDefinition(written);
    if (written == now)
        return;
    m_bWriting = true;
    m_pEditChart->setText(QString::fromStdString(written));
    m_bWriting = false;
}

void CAddChartDlg::SetChartPreview(std::shared_ptr<IChartPreview> preview)
{
    if (!preview || m_pPreview)
        return;
    const DialogBaseUnits units = BaseUnitsOf(font());
    const int shift = Shift();
    const int buttonsTop = DluToPixels(units, 0, kButtonsTopWithPreview + shift, 0, 0).y();
    for (QPushButton* button : findChildren<QPushButton*>())
        button->move(button->x(), buttonsTop);
    m_pPreview = new ChartPreviewPanel(std::move(preview), this);
    m_pPreview->setGeometry(DluToPixels(units, 7, kPreviewTop + shift, 269, kPreviewHeight));
    setFixedSize(DluToPixels(units, kWidth, kHeightWithPreview + shift));
    connect(m_pEditChart, &QLineEdit::textChanged, m_pPreview,
            &ChartPreviewPanel::SetDefinition);
    connect(m_pEditChart, &QLineEdit::textChanged, this, &CAddChartDlg::UpdateOk);
    m_pPreview->SetDefinition(m_pEditChart->text());
    UpdateOk();
}

int CAddChartDlg::DoModal()
{
    DoDataExchange(false);
    return exec() == QDialog::Accepted ? kIdOk : kIdCancel;
}

void CAddChartDlg::DoDataExchange(bool bSaveAndValidate)
{
    if (bSaveAndValidate)
        m_strChart = m_pEditChart->text();
    else
        m_pEditChart->setText(m_strChart);
}

void CAddChartDlg::UpdateOk()
{
    m_pOk->setEnabled(!m_pPreview || !m_pPreview->HasProblem());
}

void CAddChartDlg::OnOK()
{
    // Return reaches here too: a definition shown in red is not taken.
    if (m_pPreview && m_pPreview->HasProblem())
        return;
    DoDataExchange(true);
    accept();
}

void CAddChartDlg::OnChartsHelp()
{
    // Whatever the desktop makes of it, the dialog stays open with its text.
    QDesktopServices::openUrl(QUrl::fromLocalFile(ChartsHelpPath(m_strExeDir)));
}

} // namespace mosgrid
