#pragma once

#include <QDialog>

class QLineEdit;

// "チャートの追加": asks for one chart definition.
class CAddChartDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAddChartDlg(QWidget* parent = nullptr);

    // Runs the dialog; kIdOk or kIdCancel.
    int DoModal();

    QString m_strChart;

protected:
    void DoDataExchange(bool bSaveAndValidate);
    void OnOK();

private:
    void OnChartsHelp();

    QLineEdit* m_pEditChart = nullptr;
};
