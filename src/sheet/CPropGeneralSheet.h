#pragma once

#include "sheet/CPropChartCommon.h"
#include "sheet/CPropCharts.h"
#include "sheet/CPropGeneral.h"
#include "sheet/CPropLabel.h"

#include <QDialog>

#include <array>
#include <memory>

class QTabWidget;

namespace mosgrid {

// "設定": the settings sheet. Closed with OK, every page that was shown writes its settings;
// Cancel writes nothing.
class CPropGeneralSheet : public QDialog {
    Q_OBJECT
public:
    CPropGeneralSheet(QWidget* parent, const ProgramPaths& paths, int selectPage = 0);
    ~CPropGeneralSheet() override;

    // Adds the pages General, Common, Charts, Label and runs the sheet; kIdOk or kIdCancel.
    int DoModal();

    // Adds the pages and shows the sheet window-modal without waiting; the sheet finishes
    // through accept()/reject() like any dialog. DoModal runs on top of this.
    void Open();

    CPropGeneral& generalPage() { return m_pageGeneral; }
    CPropChartCommon& commonPage() { return m_pageCommon; }
    CPropCharts& chartsPage() { return m_pageCharts; }
    CPropLabel& labelPage() { return m_pageLabel; }

    // The Add-chart dialog's check and preview and the label page's example use it.
    void SetChartPreview(const std::shared_ptr<IChartPreview>& preview);
    QTabWidget* tabWidget() const { return m_pTabs; }

    // OK: the current page takes its controls' values, then every page that was shown
    // applies, in page order, and the sheet closes. When the file cannot be written the
    // user is told where and why, and the sheet stays open.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void AddPages();
    void OnPageChanged(int index);
    CPropertyPage* PageAt(int index) const;
    // Every page takes the recommended settings: shown pages now, the others as they are
    // shown, and those never shown write the recommended keys on OK.
    void OnRecommended();

    ProgramPaths m_paths;
    QTabWidget* m_pTabs = nullptr;
    int m_nStartPage = 0;
    bool m_bPagesAdded = false;
    bool m_bRecommended = false;
    // Destroyed before the dialog deletes its children: each page leaves the tab widget
    // on its own.
    CPropGeneral m_pageGeneral;
    CPropChartCommon m_pageCommon;
    CPropCharts m_pageCharts;
    CPropLabel m_pageLabel;
};

} // namespace mosgrid
