#include "app/GridMenus.h"

#include "app/CommandString.h"
#include "base/GridTexts.h"
#include "settings/SettingsStore.h"
#include "view/CCatalogView.h"
#include "view/ColumnFit.h"
#include "view/ColumnSizing.h"
#include "model/GridArrangement.h"
#include "view/GridSearchBar.h"
#include "view/PreviewController.h"

#include <QActionGroup>
#include <QMenu>

namespace mosgrid {

namespace {

QAction* AddChoice(QMenu* menu, QActionGroup* group, const QString& text,
                   const QString& commandString)
{
    QAction* action = menu->addAction(text);
    action->setCheckable(true);
    action->setActionGroup(group);
    SetCommandString(action, commandString);
    return action;
}

} // namespace

GridMenus::GridMenus(QMenu* viewMenu, CCatalogView* view, QObject* parent)
    : QObject(parent)
    , m_pView(view)
{
    viewMenu->addSeparator();
    BuildSortMenu(viewMenu);
    BuildPeriodMenu(viewMenu);
    BuildColumnsMenu(viewMenu);
    viewMenu->addSeparator();
    m_pFilter = viewMenu->addAction(GridTexts::kMenuFilter);
    SetCommandString(m_pFilter, GridTexts::kCmdFilter);
    connect(m_pFilter, &QAction::triggered, this, [this] { m_pView->searchBar().Open(); });
    m_pOpenChart = viewMenu->addAction(GridTexts::kMenuOpenChart);
    SetCommandString(m_pOpenChart, GridTexts::kCmdOpenChart);
    m_pOpenChart->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return),
                                QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    connect(m_pOpenChart, &QAction::triggered, this,
            [this] { m_pView->preview().OpenWindow(m_pView->selectedItem()); });
    m_pHoverPreview = viewMenu->addAction(GridTexts::kMenuHoverPreview);
    m_pHoverPreview->setCheckable(true);
    SetCommandString(m_pHoverPreview, GridTexts::kCmdHoverPreview);
    connect(m_pHoverPreview, &QAction::triggered, this, [this](bool on) {
        SettingsStore settings(m_pView->paths().iniFile);
        WriteHoverPreview(settings, on);
        if (!on)
            m_pView->preview().Close();
    });

    connect(viewMenu, &QMenu::aboutToShow, this, &GridMenus::ShowChecks);
    connect(m_pView, &CCatalogView::viewChoicesChanged, this, &GridMenus::ShowChecks);
    ShowChecks();
}

void GridMenus::BuildSortMenu(QMenu* viewMenu)
{
    m_pSortMenu = viewMenu->addMenu(GridTexts::kMenuSort);
    SetCommandString(m_pSortMenu->menuAction(), GridTexts::kCmdSort);
    auto* group = new QActionGroup(m_pSortMenu);
    const std::pair<SortKey, QString> keys[] = {
        {SortKey::List, GridTexts::kSortList},     {SortKey::Code, GridTexts::kSortCode},
        {SortKey::Name, GridTexts::kSortName},     {SortKey::Change, GridTexts::kSortChange},
        {SortKey::Last, GridTexts::kSortLast},     {SortKey::Volume, GridTexts::kSortVolume},
    };
    for (const auto& [key, text] : keys) {
        QAction* action = AddChoice(m_pSortMenu, group, text, GridTexts::kCmdSort);
        m_sortActions[key] = action;
        connect(action, &QAction::triggered, this, [this, key = key] {
            m_pView->arrangement().SetSort(key, m_pDescending->isChecked());
        });
    }
    m_pSortMenu->addSeparator();
    m_pDescending = m_pSortMenu->addAction(GridTexts::kSortDescending);
    m_pDescending->setCheckable(true);
    SetCommandString(m_pDescending, GridTexts::kCmdSortDescending);
    connect(m_pDescending, &QAction::triggered, this, [this](bool descending) {
        GridArrangement& arrangement = m_pView->arrangement();
        arrangement.SetSort(arrangement.sortKey(), descending);
    });
}

void GridMenus::BuildPeriodMenu(QMenu* viewMenu)
{
    m_pPeriodMenu = viewMenu->addMenu(GridTexts::kMenuPeriod);
    SetCommandString(m_pPeriodMenu->menuAction(), GridTexts::kCmdPeriod);
    auto* group = new QActionGroup(m_pPeriodMenu);
    const std::pair<PeriodChoice, QString> periods[] = {
        {PeriodChoice::Definitions, GridTexts::kPeriodDefinitions},
        {PeriodChoice::Daily, GridTexts::kPeriodDaily},
        {PeriodChoice::Weekly, GridTexts::kPeriodWeekly},
        {PeriodChoice::Monthly, GridTexts::kPeriodMonthly},
    };
    for (const auto& [period, text] : periods) {
        QAction* action = AddChoice(m_pPeriodMenu, group, text, GridTexts::kCmdPeriod);
        m_periodActions[period] = action;
        connect(action, &QAction::triggered, this,
                [this, period = period] { m_pView->SetPeriodChoice(period); });
    }
}

void GridMenus::BuildColumnsMenu(QMenu* viewMenu)
{
    m_pColumnsMenu = viewMenu->addMenu(GridTexts::kMenuColumns);
    SetCommandString(m_pColumnsMenu->menuAction(), GridTexts::kCmdColumns);
    auto* group = new QActionGroup(m_pColumnsMenu);
    const auto add = [this, group](int columns, const QString& text) {
        QAction* action = AddChoice(m_pColumnsMenu, group, text, GridTexts::kCmdColumns);
        m_columnActions[columns] = action;
        connect(action, &QAction::triggered, this,
                [this, columns] { m_pView->columnFit().SetColumns(columns); });
    };
    add(0, GridTexts::kColumnsAuto);
    for (int n = ColumnSizing::kMinColumns; n <= ColumnSizing::kMaxColumns; ++n)
        add(n, GridTexts::kColumnsCount.arg(n));
    m_pColumnsMenu->addSeparator();
    const auto step = [this](const QString& text, const QString& command,
                             QList<QKeySequence> keys, int direction) {
        QAction* action = m_pColumnsMenu->addAction(text);
        action->setShortcuts(keys);
        // The window's shortcut, whichever control has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        m_pView->addAction(action);
        SetCommandString(action, command);
        connect(action, &QAction::triggered, this, [this, direction] {
            m_pView->columnFit().Step(direction);
            ShowChecks();
        });
    };
    step(GridTexts::kSizeBigger, GridTexts::kCmdSizeBigger,
         {QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)}, 1);
    step(GridTexts::kSizeSmaller, GridTexts::kCmdSizeSmaller,
         {QKeySequence(Qt::CTRL | Qt::Key_Minus)}, -1);
}

void GridMenus::ShowChecks()
{
    const GridArrangement& arrangement = m_pView->arrangement();
    m_sortActions.at(arrangement.sortKey())->setChecked(true);
    m_pDescending->setChecked(arrangement.sortDescending());
    m_periodActions.at(m_pView->periodChoice())->setChecked(true);
    // A hand-edited count outside the menu's shows no check.
    const auto columns = m_columnActions.find(m_pView->columnFit().columns());
    for (auto& [n, action] : m_columnActions)
        action->setChecked(columns != m_columnActions.end() && action == columns->second);
    m_pHoverPreview->setChecked(ReadHoverPreview(SettingsStore(m_pView->paths().iniFile)));
}

} // namespace mosgrid
