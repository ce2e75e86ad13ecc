#pragma once

#include "catalog/NewListItem.h"
#include "chart/SecurityPreview.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QThreadPool>
#include <QTimer>

#include <optional>
#include <string>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;

namespace mosgrid {

class IComponentProvider;

// Asks for one security: the kind of source with a chooser, code, name and type. As it is
// typed, a worker reads the data and shows why it cannot be read, or the thumbnail.
// Threads: the dialog lives on the user-interface thread; previews render on its own pool,
// one at a time, and the dialog waits for that pool when it goes.
class AddSecurityDialog : public QDialog {
    Q_OBJECT
public:
    enum class SourceKind { CsvFolder, CsvFile, Database };
    // The wait after the last key before the data is read.
    static constexpr int kTypingPauseMs = 300;

    // model: the type and source offered first (those of the selected security).
    AddSecurityDialog(QWidget* parent, IComponentProvider& provider, std::string iniFile,
                      const NewListItem& model);
    ~AddSecurityDialog() override;

    // The security entered, or nothing when cancelled.
    static std::optional<NewListItem> Ask(QWidget* parent, IComponentProvider& provider,
                                          const std::string& iniFile, const NewListItem& model);

    NewListItem Item() const;
    void SetKind(SourceKind kind);
    void SetSource(const QString& source);
    void SetCode(const QString& code);
    void SetName(const QString& name);

    // What the check shows, for tests.
    QString checkText() const;
    QImage previewImage() const { return m_image; }
    bool IsBusy() const;

    // The type a kind of source is read with.
    static int TypeOfKind(SourceKind kind);

signals:
    void previewShown();

private:
    void OnKindChanged();
    void OnBrowse();
    void OnEdited();
    void StartRender();
    void OnRendered();

    IComponentProvider& m_provider;
    std::string m_iniFile;
    QComboBox* m_pKind = nullptr;
    QLineEdit* m_pSource = nullptr;
    QLineEdit* m_pCode = nullptr;
    QLineEdit* m_pName = nullptr;
    QSpinBox* m_pType = nullptr;
    QLabel* m_pCheck = nullptr;
    QLabel* m_pPicture = nullptr;
    QDialogButtonBox* m_pButtons = nullptr;
    QTimer m_pause;
    QThreadPool m_pool;
    QFutureWatcher<SecurityPreview> m_watcher;
    bool m_bRendering = false;
    bool m_bStale = false;
    QImage m_image;
};

} // namespace mosgrid
