#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

// "チャートの追加": asks for one chart definition.
class CAddChartDlg : public QDialog {
    Q_OBJECT
public:
    // exeDir: the program folder, where the help pages are.
    explicit CAddChartDlg(std::string exeDir, QWidget* parent = nullptr);

    // Runs the dialog; kIdOk or kIdCancel.
    int DoModal();

    QString m_strChart;

protected:
    void DoDataExchange(bool bSaveAndValidate);
    void OnOK();

private:
    void OnChartsHelp();

    std::string m_strExeDir;
    QLineEdit* m_pEditChart = nullptr;
};
