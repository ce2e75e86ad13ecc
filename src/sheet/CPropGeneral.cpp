#include "sheet/CPropGeneral.h"

#include "settings/SettingsStore.h"
#include "settings/SettingsKeys.h"
#include "sheet/ColorChooser.h"
#include "sheet/ColorSwatch.h"
#include "sheet/SheetTexts.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <string>

namespace mosgrid {

namespace {

// Dialog 132, in dialog units.
constexpr int kWidth = 217;
constexpr int kHeight = 161;

constexpr int kIdSizeX = 1005;
constexpr int kIdSizeY = 1006;
constexpr int kIdTextColor = 1008;
constexpr int kIdBackColor = 1009;
constexpr int kIdTransParent = 1010;

// The colour samples on the buttons, a square of the text's height.
constexpr int kSwatchSide = 12;

QString ShownSize(int stored, int defaultValue)
{
    return QString::number(stored >= SettingsKeys::kMinShownSize ? stored : defaultValue);
}

std::string DecimalText(int value)
{
    return std::to_string(value);
}

} // namespace

CPropGeneral::CPropGeneral(const ProgramPaths& paths, QWidget* parent)
    : CPropertyPage(SheetTexts::kGeneralTitle, kWidth, kHeight, paths, parent)
{
    // Resource order, which is also the tab order.
    auto* widthLabel = new QLabel(SheetTexts::kWidth, this);
    widthLabel->setGeometry(Dlu(25, 33, 8, 8));
    auto* sizeGroup = new QGroupBox(SheetTexts::kChartSize, this);
    sizeGroup->setGeometry(Dlu(8, 11, 196, 44));
    auto* heightLabel = new QLabel(SheetTexts::kHeight, this);
    heightLabel->setGeometry(Dlu(101, 33, 8, 8));

    m_pEditSizeX = new QLineEdit(this);
    m_pEditSizeX->setObjectName(QString::number(kIdSizeX));
    m_pEditSizeX->setGeometry(Dlu(41, 31, 36, 12));
    m_pEditSizeY = new QLineEdit(this);
    m_pEditSizeY->setObjectName(QString::number(kIdSizeY));
    m_pEditSizeY->setGeometry(Dlu(117, 31, 36, 12));

    auto* nameGroup = new QGroupBox(SheetTexts::kNameDisplay, this);
    nameGroup->setGeometry(Dlu(7, 69, 197, 51));
    m_pTextColorButton = new QPushButton(SheetTexts::kTextColor, this);
    m_pTextColorButton->setObjectName(QString::number(kIdTextColor));
    m_pTextColorButton->setGeometry(Dlu(17, 88, 57, 15));
    m_pBackColorButton = new QPushButton(SheetTexts::kBackColor, this);
    m_pBackColorButton->setObjectName(QString::number(kIdBackColor));
    m_pBackColorButton->setGeometry(Dlu(135, 89, 57, 15));
    m_pTransParentCheck = new QCheckBox(SheetTexts::kTransParent, this);
    m_pTransParentCheck->setObjectName(QString::number(kIdTransParent));
    m_pTransParentCheck->setGeometry(Dlu(100, 90, 30, 10));

    auto* intro = new QLabel(SheetTexts::kGeneralExplain, this);
    intro->setWordWrap(true);
    intro->setGeometry(Dlu(8, 124, 200, 10));
    auto* recommended = new QPushButton(SheetTexts::kRecommended, this);
    recommended->setObjectName(QString::number(kIdRecommended));
    recommended->setGeometry(Dlu(8, 137, 80, 15));
    m_pRecommendedNote = new QLabel(SheetTexts::kRecommendedNote, this);
    m_pRecommendedNote->setWordWrap(true);
    m_pRecommendedNote->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_pRecommendedNote->setGeometry(Dlu(92, 134, 120, 24));
    connect(recommended, &QPushButton::clicked, this, [this] {
        m_pRecommendedNote->setText(SheetTexts::kRecommendedChosen);
        emit recommendedRequested();
    });

    // The group boxes are drawn behind the controls they frame.
    sizeGroup->lower();
    nameGroup->lower();

    connect(m_pBackColorButton, &QPushButton::clicked, this, &CPropGeneral::OnBackColor);
    connect(m_pTextColorButton, &QPushButton::clicked, this, &CPropGeneral::OnTextColor);
    connect(m_pTransParentCheck, &QCheckBox::clicked, this, &CPropGeneral::OnTransParent);
}

void CPropGeneral::DoDataExchange(bool bSaveAndValidate)
{
    if (bSaveAndValidate) {
        m_strSizeX = m_pEditSizeX->text();
        m_strSizeY = m_pEditSizeY->text();
        m_bTransParent = m_pTransParentCheck->isChecked() ? 1 : 0;
    } else {
        m_pEditSizeX->setText(m_strSizeX);
        m_pEditSizeY->setText(m_strSizeY);
        // A hand-edited value other than 0 or 1 shows checked; OK writes it back as 1.
        m_pTransParentCheck->setChecked(m_bTransParent != 0);
    }
}

bool CPropGeneral::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    using namespace SettingsKeys;
    const SettingsStore settings(paths().iniFile);
    m_strSizeX = ShownSize(settings.ReadInt(kSectionChart, kSizeX, kDefaultSizeX), kDefaultSizeX);
    m_strSizeY = ShownSize(settings.ReadInt(kSectionChart, kSizeY, kDefaultSizeY), kDefaultSizeY);
    m_crBackColor = static_cast<ColorRef>(
        settings.ReadInt(kSectionName, kBackColor, kDefaultBackColor));
    m_crTextColor = static_cast<ColorRef>(
        settings.ReadInt(kSectionName, kTextColor, kDefaultTextColor));
    m_bTransParent = settings.ReadInt(kSectionName, kTransParent, kDefaultTransParent);
    UpdateData(false);
    OnTransParent();
    ShowSwatches();
    return true;
}

void CPropGeneral::ShowSwatches()
{
    const QSize side(kSwatchSide, kSwatchSide);
    m_pTextColorButton->setIconSize(side);
    m_pTextColorButton->setIcon(ColorSwatchIcon(m_crTextColor, side));
    m_pBackColorButton->setIconSize(side);
    m_pBackColorButton->setIcon(ColorSwatchIcon(m_crBackColor, side));
}

void CPropGeneral::OnTransParent()
{
    UpdateData(true);
    // The background colour is kept (and written) even while it is not used.
    m_pBackColorButton->setEnabled(m_bTransParent == 0);
}

void CPropGeneral::OnTextColor()
{
    if (const auto chosen = ChooseColor(m_crTextColor))
        m_crTextColor = *chosen;
    ShowSwatches();
}

void CPropGeneral::OnBackColor()
{
    if (const auto chosen = ChooseColor(m_crBackColor))
        m_crBackColor = *chosen;
    ShowSwatches();
}

bool CPropGeneral::OnApply(SettingsWriteBatch& writes)
{
    UpdateData(true);
    using namespace SettingsKeys;
    // The sizes go out exactly as typed, even empty or not numeric.
    writes.push_back({kSectionChart, kSizeX, m_strSizeX.toStdString()});
    writes.push_back({kSectionChart, kSizeY, m_strSizeY.toStdString()});
    // Colours as the signed decimal of their 32-bit value.
    writes.push_back({kSectionName, kBackColor, DecimalText(static_cast<int>(m_crBackColor))});
    writes.push_back({kSectionName, kTextColor, DecimalText(static_cast<int>(m_crTextColor))});
    writes.push_back({kSectionName, kTransParent, DecimalText(m_bTransParent)});
    return CPropertyPage::OnApply(writes);
}

} // namespace mosgrid
