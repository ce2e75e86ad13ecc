#pragma once

#include "settings/SettingsValues.h"
#include "sheet/CPropertyPage.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace mosgrid {

// Page "全般": the thumbnail size and the colours of the security's name on each thumbnail.
class CPropGeneral : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPropGeneral(const ProgramPaths& paths, QWidget* parent = nullptr);

    bool OnApply(SettingsWriteBatch& writes) override;

    static constexpr int kIdRecommended = 1031;

signals:
    // "推奨の表示にする" was clicked: the sheet sets every page to the recommendation.
    void recommendedRequested();

public:
    QString m_strSizeX;
    QString m_strSizeY;
    int m_bTransParent = 0;
    ColorRef m_crBackColor = 0;
    ColorRef m_crTextColor = 0;

protected:
    void DoDataExchange(bool bSaveAndValidate) override;
    bool OnInitDialog() override;

private:
    void OnBackColor();
    void OnTextColor();
    void OnTransParent();
    // The buttons show the colours they choose.
    void ShowSwatches();

    QLineEdit* m_pEditSizeX = nullptr;
    QLineEdit* m_pEditSizeY = nullptr;
    QPushButton* m_pTextColorButton = nullptr;
    QPushButton* m_pBackColorButton = nullptr;
    QCheckBox* m_pTransParentCheck = nullptr;
    QLabel* m_pRecommendedNote = nullptr;
};

} // namespace mosgrid
