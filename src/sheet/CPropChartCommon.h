#pragma once

#include "sheet/CPropertyPage.h"

#include <string>

namespace mosgrid {

class CommonParamControls;
class LimitedTextEdit;
struct CommonParams;

// Page "チャートの共通設定": the parameters every chart is given.
class CPropChartCommon : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPropChartCommon(const ProgramPaths& paths, QWidget* parent = nullptr);

    bool OnApply(SettingsWriteBatch& writes) override;
    void ApplyRecommended() override;
    void RecommendedWrites(SettingsWriteBatch& writes) const override;

    QString m_strParam;

protected:
    void DoDataExchange(bool bSaveAndValidate) override;
    bool OnInitDialog() override;

private:
    // The controls rewrite the text; the text, typed, sets the controls. The text is stored.
    void OnControlsEdited(const CommonParams& params);
    void OnTextEdited();

    LimitedTextEdit* m_pEditParam = nullptr;
    CommonParamControls* m_pControls = nullptr;
    bool m_bWriting = false;
    std::string m_storedParam;  // the bytes read, written back while the text is unchanged
};

} // namespace mosgrid
