#pragma once

#include "sheet/CPropertyPage.h"

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace mosgrid {

class ByteLimitValidator;
class IChartPreview;

// Page "ラベル": what each thumbnail's label says (a template of fields), and after how many
// days behind the catalog's newest series a thumbnail shows the date badge.
class CPropLabel : public CPropertyPage {
    Q_OBJECT
public:
    static constexpr int kIdLabel = 1011;
    static constexpr int kIdFields = 1012;
    static constexpr int kIdInsert = 1013;
    static constexpr int kIdExample = 1014;
    static constexpr int kIdStaleDays = 1015;
    // The most the page offers: ten years.
    static constexpr int kMaxStaleDays = 3650;

    explicit CPropLabel(const ProgramPaths& paths, QWidget* parent = nullptr);

    bool OnApply(SettingsWriteBatch& writes) override;
    void ApplyRecommended() override;
    void RecommendedWrites(SettingsWriteBatch& writes) const override;

    // The example under the template is written with it; none without.
    void SetChartPreview(std::shared_ptr<IChartPreview> preview);

    QString m_strLabel;
    int m_nStaleDays = 0;

protected:
    void DoDataExchange(bool bSaveAndValidate) override;
    bool OnInitDialog() override;

private:
    void OnInsertField();
    void ShowExample();

    QLineEdit* m_pEditLabel = nullptr;
    ByteLimitValidator* m_pLabelLimit = nullptr;
    QListWidget* m_pFields = nullptr;
    QLabel* m_pExample = nullptr;
    QSpinBox* m_pStaleDays = nullptr;
    std::shared_ptr<IChartPreview> m_pChartPreview;
    std::string m_storedLabel;  // the bytes read, written back while the text is unchanged
};

} // namespace mosgrid
