#pragma once

#include <QDialog>

#include <memory>
#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

namespace mosgrid {

class ChartKindChooser;
class ChartPreviewPanel;
class IChartPreview;

// "チャートの追加": asks for one chart definition.
class CAddChartDlg : public QDialog {
    Q_OBJECT
public:
    // exeDir: the program folder, where the help pages are.
    explicit CAddChartDlg(std::string exeDir, QWidget* parent = nullptr);

    // Runs the dialog; kIdOk or kIdCancel.
    int DoModal();

    // Checks the definition as it is typed and shows a thumbnail of it, below the edit;
    // the buttons move under the preview. Once, before the dialog is shown.
    void SetChartPreview(std::shared_ptr<IChartPreview> preview);
    ChartPreviewPanel* previewPanel() const { return m_pPreview; }

    QString m_strChart;

protected:
    void DoDataExchange(bool bSaveAndValidate);
    void OnOK();

private:
    void OnChartsHelp();
    // The chooser rewrites the text; the text, typed, sets the chooser.
    void OnChooserEdited(int kind, const std::vector<std::string>& values);

    // OK only for a definition the check does not show in red.
    void UpdateOk();

    std::string m_strExeDir;
    QLineEdit* m_pEditChart = nullptr;
    QPushButton* m_pOk = nullptr;
    ChartPreviewPanel* m_pPreview = nullptr;
    ChartKindChooser* m_pChooser = nullptr;
    bool m_bWriting = false;
};

} // namespace mosgrid
