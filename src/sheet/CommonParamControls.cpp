#include "sheet/CommonParamControls.h"

#include "sheet/ColorChooser.h"
#include "sheet/ColorSwatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace mosgrid {

using namespace CommonParamNames;

namespace {

constexpr int kSwatchSide = 12;

// The period choices in the order the list shows them.
constexpr PeriodChoice kPeriods[] = {PeriodChoice::Definitions, PeriodChoice::Daily,
                                     PeriodChoice::Weekly, PeriodChoice::Monthly};

QString PeriodText(PeriodChoice period)
{
    switch (period) {
    case PeriodChoice::Daily:
        return QStringLiteral("日足");
    case PeriodChoice::Weekly:
        return QStringLiteral("週足");
    case PeriodChoice::Monthly:
        return QStringLiteral("月足");
    case PeriodChoice::Definitions:
        break;
    }
    return QStringLiteral("なし(チャートごと)");
}

QString ColorText(ColorParam which)
{
    switch (which) {
    case ColorParam::Up:
        return QStringLiteral("陽線");
    case ColorParam::Down:
        return QStringLiteral("陰線");
    case ColorParam::Line:
        return QStringLiteral("文字・線");
    case ColorParam::Back:
        break;
    }
    return QStringLiteral("背景");
}

} // namespace

CommonParamControls::CommonParamControls(const DialogBaseUnits& units, int top, QWidget* parent)
    : QWidget(parent)
{
    setGeometry(DluToPixels(units, 0, top, 210, kHeightDlu));
    const auto at = [&units](int x, int y, int w, int h) {
        return DluToPixels(units, x, y, w, h);
    };
    const auto label = [this, &at](const QString& text, QRect rect) {
        auto* shown = new QLabel(text, this);
        shown->setGeometry(rect);
    };

    m_pAssistLine = new QCheckBox(QStringLiteral("補助線(価格と日付の目盛り)"), this);
    m_pAssistLine->setObjectName(QString::number(kIdAssistLine));
    m_pAssistLine->setGeometry(at(8, 2, 110, 10));
    m_pShowScrollBar = new QCheckBox(QStringLiteral("スクロールバー"), this);
    m_pShowScrollBar->setObjectName(QString::number(kIdShowScrollBar));
    m_pShowScrollBar->setGeometry(at(124, 2, 80, 10));

    label(QStringLiteral("文字の大きさ"), at(8, 18, 50, 8));
    m_pFontSize = new QSpinBox(this);
    m_pFontSize->setObjectName(QString::number(kIdFontSize));
    m_pFontSize->setRange(kMinFontSize, kMaxFontSize);
    m_pFontSize->setSuffix(QStringLiteral(" pt"));
    m_pFontSize->setGeometry(at(60, 16, 44, 12));
    label(QStringLiteral("表示本数"), at(124, 18, 34, 8));
    m_pDispNum = new QSpinBox(this);
    m_pDispNum->setObjectName(QString::number(kIdDispNum));
    m_pDispNum->setRange(kMinDispNum, kMaxDispNum);
    m_pDispNum->setGeometry(at(160, 16, 44, 12));

    label(QStringLiteral("期間"), at(8, 34, 50, 8));
    m_pPeriod = new QComboBox(this);
    m_pPeriod->setObjectName(QString::number(kIdPeriod));
    for (PeriodChoice period : kPeriods)
        m_pPeriod->addItem(PeriodText(period));
    m_pPeriod->setGeometry(at(60, 32, 80, 13));

    label(QStringLiteral("色"), at(8, 54, 20, 8));
    for (std::size_t i = 0; i < kColorParams.size(); ++i) {
        const ColorParam which = kColorParams[i];
        auto* button = new QPushButton(ColorText(which), this);
        button->setObjectName(QString::number(kIdBackColor + int(i)));
        button->setGeometry(at(30 + 44 * int(i), 51, 42, 15));
        button->setIconSize(QSize(kSwatchSide, kSwatchSide));
        connect(button, &QPushButton::clicked, this, [this, which] { OnColor(which); });
        m_colorButtons[i] = button;
    }

    connect(m_pAssistLine, &QCheckBox::toggled, this, &CommonParamControls::OnChanged);
    connect(m_pShowScrollBar, &QCheckBox::toggled, this, &CommonParamControls::OnChanged);
    connect(m_pFontSize, &QSpinBox::valueChanged, this, &CommonParamControls::OnChanged);
    connect(m_pDispNum, &QSpinBox::valueChanged, this, &CommonParamControls::OnChanged);
    connect(m_pPeriod, &QComboBox::currentIndexChanged, this, &CommonParamControls::OnChanged);
    Show(m_params);
}

void CommonParamControls::Show(const CommonParams& params)
{
    m_params = params;
    const QSignalBlocker blockAssist(m_pAssistLine);
    const QSignalBlocker blockScroll(m_pShowScrollBar);
    const QSignalBlocker blockFont(m_pFontSize);
    const QSignalBlocker blockNum(m_pDispNum);
    const QSignalBlocker blockPeriod(m_pPeriod);
    m_pAssistLine->setChecked(params.assistLine);
    m_pShowScrollBar->setChecked(params.showScrollBar);
    m_pFontSize->setValue(params.fontSize);
    m_pDispNum->setValue(params.dispNum);
    for (int i = 0; i < int(std::size(kPeriods)); ++i) {
        if (kPeriods[i] == params.period)
            m_pPeriod->setCurrentIndex(i);
    }
    ShowSwatches();
}

void CommonParamControls::OnChanged()
{
    m_params.assistLine = m_pAssistLine->isChecked();
    m_params.showScrollBar = m_pShowScrollBar->isChecked();
    m_params.fontSize = m_pFontSize->value();
    m_params.dispNum = m_pDispNum->value();
    m_params.period = kPeriods[std::max(0, m_pPeriod->currentIndex())];
    emit edited(m_params);
}

void CommonParamControls::OnColor(ColorParam which)
{
    const std::optional<ColorRef> chosen = ChooseColor(ColorOf(m_params, which));
    if (!chosen)
        return;
    ColorOf(m_params, which) = *chosen;
    ShowSwatches();
    emit edited(m_params);
}

void CommonParamControls::ShowSwatches()
{
    for (std::size_t i = 0; i < kColorParams.size(); ++i)
        m_colorButtons[i]->setIcon(
            ColorSwatchIcon(ColorOf(m_params, kColorParams[i]), QSize(kSwatchSide, kSwatchSide)));
}

} // namespace mosgrid
