#include "sheet/CPropLabel.h"

#include "base/LabelTexts.h"
#include "sheet/ByteLimit.h"
#include "settings/SettingsStore.h"
#include "settings/RecommendedSettings.h"
#include "settings/IChartPreview.h"
#include "settings/LabelSettings.h"
#include "settings/SettingsKeys.h"
#include "sheet/StoredText.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>

namespace mosgrid {

namespace {

// The page, in dialog units: no larger than the other pages, so the sheet keeps its size.
constexpr int kWidth = 210;
constexpr int kHeight = 154;

constexpr int kTokenRole = Qt::UserRole;

} // namespace

CPropLabel::CPropLabel(const ProgramPaths& paths, QWidget* parent)
    : CPropertyPage(LabelTexts::kPageTitle, kWidth, kHeight, paths, parent)
{
    auto* templateGroup = new QGroupBox(LabelTexts::kTemplateGroup, this);
    templateGroup->setGeometry(Dlu(7, 7, 196, 100));
    auto* hint = new QLabel(LabelTexts::kTemplateHint, this);
    hint->setTextFormat(Qt::PlainText);
    hint->setGeometry(Dlu(14, 18, 184, 9));

    m_pEditLabel = new QLineEdit(this);
    m_pEditLabel->setObjectName(QString::number(kIdLabel));
    m_pEditLabel->setGeometry(Dlu(14, 29, 184, 13));
    m_pEditLabel->setMaxLength(SettingsKeys::kMaxTextLength);
    m_pLabelLimit = new ByteLimitValidator(SettingsKeys::kMaxTextBytes, m_pEditLabel);
    m_pEditLabel->setValidator(m_pLabelLimit);

    m_pFields = new QListWidget(this);
    m_pFields->setObjectName(QString::number(kIdFields));
    m_pFields->setGeometry(Dlu(14, 46, 128, 42));
    for (const LabelTexts::Field& field : LabelTexts::kFields) {
        const QString token = QLatin1String(field.token);
        auto* item = new QListWidgetItem(token + QStringLiteral("  ") + field.meaning, m_pFields);
        item->setData(kTokenRole, token);
    }
    m_pFields->setCurrentRow(0);

    auto* insert = new QPushButton(LabelTexts::kInsert, this);
    insert->setObjectName(QString::number(kIdInsert));
    insert->setGeometry(Dlu(148, 46, 50, 14));

    m_pExample = new QLabel(this);
    m_pExample->setObjectName(QString::number(kIdExample));
    m_pExample->setTextFormat(Qt::PlainText);
    m_pExample->setGeometry(Dlu(14, 92, 184, 10));

    auto* staleGroup = new QGroupBox(LabelTexts::kStaleGroup, this);
    staleGroup->setGeometry(Dlu(7, 111, 196, 40));
    m_pStaleDays = new QSpinBox(this);
    m_pStaleDays->setObjectName(QString::number(kIdStaleDays));
    m_pStaleDays->setRange(0, kMaxStaleDays);
    m_pStaleDays->setGeometry(Dlu(14, 122, 36, 13));
    auto* staleText = new QLabel(LabelTexts::kStaleAfter, this);
    staleText->setGeometry(Dlu(54, 124, 146, 9));
    auto* staleNote = new QLabel(LabelTexts::kStaleNote, this);
    staleNote->setGeometry(Dlu(14, 138, 186, 9));

    templateGroup->lower();
    staleGroup->lower();

    connect(insert, &QPushButton::clicked, this, &CPropLabel::OnInsertField);
    connect(m_pFields, &QListWidget::itemDoubleClicked, this, &CPropLabel::OnInsertField);
    connect(m_pEditLabel, &QLineEdit::textChanged, this, &CPropLabel::ShowExample);
}

void CPropLabel::SetChartPreview(std::shared_ptr<IChartPreview> preview)
{
    m_pChartPreview = std::move(preview);
    ShowExample();
}

void CPropLabel::DoDataExchange(bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        m_strLabel = m_pEditLabel->text();
        m_nStaleDays = m_pStaleDays->value();
    } else {
        m_pLabelLimit->SetStoredText(ShownText(m_storedLabel));
        m_pEditLabel->setText(m_strLabel);
        m_pStaleDays->setValue(std::clamp(m_nStaleDays, 0, kMaxStaleDays));
    }
}

bool CPropLabel::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    const SettingsStore settings(paths().iniFile);
    m_storedLabel = ReadLabelTemplate(settings);
    m_strLabel = ShownText(m_storedLabel);
    m_nStaleDays = ReadStaleDays(settings);
    UpdateData(false);
    return true;
}

bool CPropLabel::OnApply(SettingsWriteBatch& writes)
{
    UpdateData(true);
    using namespace SettingsKeys;
    writes.push_back({kSectionName, kLabel, StoredBytes(m_strLabel, m_storedLabel)});
    writes.push_back({kSectionName, kStaleDays, std::to_string(m_nStaleDays)});
    return CPropertyPage::OnApply(writes);
}

void CPropLabel::OnInsertField()
{
    const QListWidgetItem* current = m_pFields->currentItem();
    if (current == nullptr)
        return;
    m_pEditLabel->insert(current->data(kTokenRole).toString());
    m_pEditLabel->setFocus();
}

void CPropLabel::ShowExample()
{
    if (!m_pChartPreview) {
        m_pExample->clear();
        return;
    }
    const QString example =
        m_pChartPreview->ExampleLabel(StoredBytes(m_pEditLabel->text(), m_storedLabel));
    const QString line = LabelTexts::kExample + QLatin1Char(' ') + example;
    m_pExample->setText(m_pExample->fontMetrics().elidedText(line, Qt::ElideRight,
                                                             m_pExample->width()));
}

void CPropLabel::ApplyRecommended()
{
    m_pEditLabel->setText(QString::fromUtf8(RecommendedSettings::kLabel));
}

void CPropLabel::RecommendedWrites(SettingsWriteBatch& writes) const
{
    writes.push_back({SettingsKeys::kSectionName, SettingsKeys::kLabel,
                      RecommendedSettings::kLabel});
}

} // namespace mosgrid
