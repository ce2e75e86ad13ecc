#pragma once

#include "sheet/CPropertyPage.h"

#include <string>

class LimitedTextEdit;

// Page "チャートの共通設定": the parameters every chart is given.
class CPropChartCommon : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPropChartCommon(const ProgramPaths& paths, QWidget* parent = nullptr);

    bool OnApply(SettingsWriteBatch& writes) override;

    QString m_strParam;

protected:
    void DoDataExchange(bool bSaveAndValidate) override;
    bool OnInitDialog() override;

private:
    LimitedTextEdit* m_pEditParam = nullptr;
    std::string m_storedParam;  // the bytes read, written back while the text is unchanged
};
