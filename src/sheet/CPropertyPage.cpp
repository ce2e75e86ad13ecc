#include "sheet/CPropertyPage.h"

namespace mosgrid {

CPropertyPage::CPropertyPage(const QString& title, int widthDlu, int heightDlu,
                             const ProgramPaths& paths, QWidget* parent)
    : QWidget(parent)
    , m_strTitle(title)
    , m_paths(paths)
{
    setFont(DialogFont());
    m_units = BaseUnitsOf(font());
    setMinimumSize(DluToPixels(m_units, widthDlu, heightDlu));
}

void CPropertyPage::Create()
{
    if (m_bCreated)
        return;
    m_bCreated = true;
    OnInitDialog();
}

bool CPropertyPage::OnKillActive()
{
    return UpdateData(true);
}

bool CPropertyPage::OnApply(SettingsWriteBatch& /*writes*/)
{
    return true;
}

bool CPropertyPage::OnInitDialog()
{
    return UpdateData(false);
}

bool CPropertyPage::UpdateData(bool bSaveAndValidate)
{
    DoDataExchange(bSaveAndValidate);
    return true;
}

QRect CPropertyPage::Dlu(int x, int y, int width, int height) const
{
    return DluToPixels(m_units, x, y, width, height);
}

} // namespace mosgrid
