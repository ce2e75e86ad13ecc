#pragma once

#include "base/DialogLayout.h"
#include "base/ProgramPaths.h"
#include "settings/SettingsWrite.h"

#include <QWidget>

namespace mosgrid {

// One page of the settings sheet. Its controls are filled from the settings the first time
// the page is shown, not when it is constructed; on OK the sheet asks every page that was
// shown to apply.
class CPropertyPage : public QWidget {
    Q_OBJECT
public:
    // The page's size in dialog units; controls are placed in dialog units too.
    CPropertyPage(const QString& title, int widthDlu, int heightDlu, const ProgramPaths& paths,
                  QWidget* parent = nullptr);

    const QString& title() const { return m_strTitle; }
    // The settings file and program folder the page works on.
    const ProgramPaths& paths() const { return m_paths; }

    // Runs OnInitDialog the first time only.
    void Create();
    bool IsCreated() const { return m_bCreated; }

    QSize sizeHint() const override { return minimumSize(); }

    // The page is left or the sheet closes with OK: take the controls' values.
    virtual bool OnKillActive();
    // The sheet closed with OK and this page was shown: add its settings to the writes the
    // sheet makes as one.
    virtual bool OnApply(SettingsWriteBatch& writes);

    // "推奨の表示にする" on a page that was shown: its controls take the recommended values,
    // which OK then writes like any edit.
    virtual void ApplyRecommended() {}
    // The same for a page never shown: the writes OK makes for it (only the keys the
    // recommendation sets).
    virtual void RecommendedWrites(SettingsWriteBatch& /*writes*/) const {}

protected:
    // Transfers the members to the controls (false) or the controls to the members (true).
    virtual void DoDataExchange(bool bSaveAndValidate) = 0;
    // Fills the controls; the base transfers the construction values.
    virtual bool OnInitDialog();
    bool UpdateData(bool bSaveAndValidate);

    QRect Dlu(int x, int y, int width, int height) const;

private:
    QString m_strTitle;
    ProgramPaths m_paths;
    DialogBaseUnits m_units;
    bool m_bCreated = false;
};

} // namespace mosgrid
