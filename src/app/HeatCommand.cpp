#include "app/HeatCommand.h"

#include "app/CommandString.h"
#include "base/FlagTexts.h"
#include "settings/LabelSettings.h"
#include "settings/SettingsStore.h"
#include "view/CCatalogView.h"

#include <QAction>
#include <QMenu>

namespace mosgrid {

HeatCommand::HeatCommand(QMenu* viewMenu, CCatalogView* view, QObject* parent)
    : QObject(parent)
    , m_pView(view)
{
    m_pAction = viewMenu->addAction(FlagTexts::kMenuHeat);
    m_pAction->setCheckable(true);
    SetCommandString(m_pAction, FlagTexts::kCmdHeat);
    connect(m_pAction, &QAction::triggered, this, &HeatCommand::Toggle);
    connect(viewMenu, &QMenu::aboutToShow, this, &HeatCommand::ShowCheck);
    ShowCheck();
}

void HeatCommand::ShowCheck()
{
    m_pAction->setChecked(ReadHeat(SettingsStore(m_pView->paths().iniFile)));
}

void HeatCommand::Toggle(bool on)
{
    SettingsStore settings(m_pView->paths().iniFile);
    if (!WriteHeat(settings, on)) {
        ShowCheck();  // not stored: the thumbnails stay as they are
        return;
    }
    // Labels are part of the thumbnails: nothing is drawn before the list is read.
    if (m_pView->model().isLoaded())
        m_pView->model().RebuildThumbnails();
}

} // namespace mosgrid
