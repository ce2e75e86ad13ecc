#include "sheet/CPropChartCommon.h"

#include "settings/SettingsStore.h"
#include "settings/RecommendedSettings.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsValues.h"
#include "sheet/CommonParamControls.h"
#include "sheet/LimitedTextEdit.h"
#include "sheet/SheetTexts.h"
#include "sheet/StoredText.h"

#include <QLabel>

namespace mosgrid {

namespace {

// Dialog 133, in dialog units, with the explanation and the controls above it.
constexpr int kWidth = 210;
constexpr int kIntroTop = 6;
constexpr int kIntroHeight = 26;
constexpr int kControlsTop = kIntroTop + kIntroHeight + 2;
// The dialog's own controls move down below the added ones.
constexpr int kShift = kControlsTop + CommonParamControls::kHeightDlu - 8;
constexpr int kHeight = 154 + kShift;

constexpr int kIdParam = 1007;

} // namespace

CPropChartCommon::CPropChartCommon(const ProgramPaths& paths, QWidget* parent)
    : CPropertyPage(SheetTexts::kCommonTitle, kWidth, kHeight, paths, parent)
{
    m_pEditParam = new LimitedTextEdit(this);
    m_pEditParam->setObjectName(QString::number(kIdParam));
    m_pEditParam->setGeometry(Dlu(7, 44 + kShift, 196, 44));
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
    hint->setGeometry(Dlu(8, 16 + kShift, 194, 20));

    auto* intro = new QLabel(SheetTexts::kCommonExplain, this);
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);
    intro->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    intro->setGeometry(Dlu(8, kIntroTop, 194, kIntroHeight));
    m_pControls = new CommonParamControls(BaseUnitsOf(font()), kControlsTop, this);
    // Before the text in the tab order: the controls are what most users change.
    setTabOrder(m_pControls, m_pEditParam);

    connect(m_pControls, &CommonParamControls::edited, this, &CPropChartCommon::OnControlsEdited);
    connect(m_pEditParam, &QPlainTextEdit::textChanged, this, &CPropChartCommon::OnTextEdited);
}

void CPropChartCommon::OnControlsEdited(const CommonParams& params)
{
    const std::string now = m_pEditParam->toPlainText().toStdString();
    const std::string written = WriteCommonParams(now, params);
    if (written == now)
        return;
    const QString text = QString::fromStdString(written);
    if (text.size() > m_pEditParam->maxLength()) {
        // The box holds no more than it lets the user type: the change is refused.
        m_pControls->Show(ReadCommonParams(now));
        return;
    }
    m_bWriting = true;
    m_pEditParam->setPlainText(text);
    m_bWriting = false;
}

void CPropChartCommon::ApplyRecommended()
{
    CommonParams params = ReadCommonParams(m_pEditParam->toPlainText().toStdString());
    params.assistLine = RecommendedSettings::kAssistLine;
    m_pControls->Show(params);
    OnControlsEdited(params);
}

void CPropChartCommon::RecommendedWrites(SettingsWriteBatch& writes) const
{
    const std::string stored = EffectiveCommonParams(SettingsStore(paths().iniFile));
    CommonParams params = ReadCommonParams(stored);
    params.assistLine = RecommendedSettings::kAssistLine;
    writes.push_back({SettingsKeys::kSectionCharts, SettingsKeys::kParam,
                      WriteCommonParams(stored, params)});
}

void CPropChartCommon::OnTextEdited()
{
    if (!m_bWriting)
        m_pControls->Show(ReadCommonParams(m_pEditParam->toPlainText().toStdString()));
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
    const SettingsStore settings(paths().iniFile);
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

} // namespace mosgrid
