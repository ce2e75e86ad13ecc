#include "settings/CPropChartCommon.h"

#include "settings/ChartSettings.h"
#include "settings/LimitedTextEdit.h"
#include "settings/SettingsKeys.h"
#include "settings/SheetTexts.h"
#include "settings/StoredText.h"

#include <QLabel>

namespace {

// Dialog 133, in dialog units.
constexpr int kWidth = 210;
constexpr int kHeight = 154;

constexpr int kIdParam = 1007;

} // namespace

CPropChartCommon::CPropChartCommon(const ProgramPaths& paths, QWidget* parent)
    : CPropertyPage(SheetTexts::kCommonTitle, kWidth, kHeight, paths, parent)
{
    m_pEditParam = new LimitedTextEdit(this);
    m_pEditParam->setObjectName(QString::number(kIdParam));
    m_pEditParam->setGeometry(Dlu(7, 44, 196, 44));
    m_pEditParam->setMaxLength(SettingsKeys::kMaxTextLength);
    m_pEditParam->setMaxBytes(SettingsKeys::kMaxTextBytes);
    m_pEditParam->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_pEditParam->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pEditParam->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab moves on as in any dialog; Return starts a new line.
    m_pEditParam->setTabChangesFocus(true);

    auto* hint = new QLabel(SheetTexts::kCommonHint, this);
    hint->setTextFormat(Qt::PlainText);
    hint->setWordWrap(true);
    hint->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hint->setGeometry(Dlu(8, 16, 194, 20));
}

void CPropChartCommon::DoDataExchange(bool bSaveAndValidate)
{
    if (bSaveAndValidate)
        m_strParam = m_pEditParam->toPlainText();
    else
        m_pEditParam->setPlainText(m_strParam);
}

bool CPropChartCommon::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_strParam.clear();
    using namespace SettingsKeys;
    const ChartSettings settings(paths().iniFile);
    const std::string stored = settings.ReadText(kSectionCharts, kParam, kBuiltInParam);
    m_storedParam = stored.empty() ? std::string(kBuiltInParam) : stored;
    m_strParam = ShownText(m_storedParam);
    UpdateData(false);
    return true;
}

bool CPropChartCommon::OnApply(SettingsWriteBatch& writes)
{
    UpdateData(true);
    // As typed; the store turns line breaks into the one-line form of a key.
    writes.push_back({SettingsKeys::kSectionCharts, SettingsKeys::kParam,
                      StoredBytes(m_strParam, m_storedParam)});
    return CPropertyPage::OnApply(writes);
}
