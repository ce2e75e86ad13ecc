#pragma once

#include "sheet/CPropertyPage.h"

#include <memory>

class IChartPreview;
class QListWidget;

// Page "チャートの追加と削除": the chart definitions every thumbnail draws, in order.
class CPropCharts : public CPropertyPage {
    Q_OBJECT
public:
    explicit CPropCharts(const ProgramPaths& paths, QWidget* parent = nullptr);

    bool OnApply(SettingsWriteBatch& writes) override;

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

    std::shared_ptr<IChartPreview> m_pChartPreview;
};
