#pragma once

#include "sheet/CPropertyPage.h"

#include <memory>
#include <vector>

class QListWidget;
class QPushButton;

namespace mosgrid {

class IChartPreview;

// Page "チャートの追加と削除": the chart definitions every thumbnail draws, in order.
class CPropCharts : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPropCharts(const ProgramPaths& paths, QWidget* parent = nullptr);

    // The buttons beside 追加 and 削除, which work on the selected entry.
    enum Id { kIdEdit = 1021, kIdDuplicate, kIdUp, kIdDown };

    bool OnApply(SettingsWriteBatch& writes) override;
    void ApplyRecommended() override;
    void RecommendedWrites(SettingsWriteBatch& writes) const override;

    // The Add-chart dialog checks and previews what is typed with it.
    void SetChartPreview(std::shared_ptr<IChartPreview> preview)
    {
        m_pChartPreview = std::move(preview);
    }

    // The entries live in the list itself; the page keeps no other copy.
    QListWidget* m_listCharts = nullptr;

protected:
    void DoDataExchange(bool bSaveAndValidate) override;
    bool OnInitDialog() override;

private:
    void OnAddChart();
    void OnDeleteChart();
    // Opens the Add-chart dialog on the selected entry and replaces it in place.
    void OnEditChart();
    // Puts a copy of the selected entry right after it.
    void OnDuplicateChart();
    // Moves the selected entry one place up (-1) or down (1).
    void MoveSelected(int step);
    int SelectedRow() const;
    void SelectRow(int row);
    void EnableSelectionButtons();

    std::vector<QPushButton*> m_selectionButtons;  // edit, duplicate, up, down
    std::shared_ptr<IChartPreview> m_pChartPreview;
};

} // namespace mosgrid
