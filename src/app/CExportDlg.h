#pragma once

#include "export/ExportTarget.h"

#include <QDialog>

#include <functional>

class QLineEdit;
class QRadioButton;

namespace mosgrid {

// ファイル > エクスポート...: the kind of export and where it goes.
class CExportDlg : public QDialog {
    Q_OBJECT
public:
    // listFile: the open list, whose folder and name suggest the target.
    CExportDlg(QWidget* parent, const QString& listFile);

    ExportKind kind() const;
    void SetKind(ExportKind kind);
    // The target as typed; a folder ends in '/'.
    QString target() const;
    void SetTarget(const QString& path);

    // Whether the target is a file the save dialog already asked to replace: it is then
    // replaced even when it is not an earlier export.
    bool ReplaceConfirmed() const;

    // The suggested target of a kind for a list: beside it, named after it.
    static QString SuggestedTarget(const QString& listFile, ExportKind kind);

private:
    void OnKindChanged();
    void OnBrowse();

    QString m_listFile;
    QRadioButton* m_pdf = nullptr;
    QRadioButton* m_sheet = nullptr;
    QRadioButton* m_folder = nullptr;
    QRadioButton* m_csv = nullptr;
    QLineEdit* m_path = nullptr;
    QString m_suggested;
    QString m_confirmed;
};

} // namespace mosgrid
