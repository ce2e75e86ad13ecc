#pragma once

#include "settings/ViewChoices.h"

#include <QObject>

#include <map>

class QAction;
class QMenu;

namespace mosgrid {

class CCatalogView;

// The View menu's entries for working inside the grid: 並べ替え (sort key and descending),
// 期間 (one period for every chart), the search field and whether the pointer resting on a
// cell opens its preview. Check marks follow the settings
// whenever a menu opens or a key changes them.
class GridMenus : public QObject {
    Q_OBJECT
public:
    GridMenus(QMenu* viewMenu, CCatalogView* view, QObject* parent);

    QMenu* sortMenu() const { return m_pSortMenu; }
    QMenu* periodMenu() const { return m_pPeriodMenu; }
    QAction* sortAction(SortKey key) const { return m_sortActions.at(key); }
    QAction* descendingAction() const { return m_pDescending; }
    QAction* periodAction(PeriodChoice period) const { return m_periodActions.at(period); }
    QAction* filterAction() const { return m_pFilter; }
    QMenu* columnsMenu() const { return m_pColumnsMenu; }
    QAction* columnsAction(int columns) const { return m_columnActions.at(columns); }
    QAction* hoverPreviewAction() const { return m_pHoverPreview; }
    QAction* openChartAction() const { return m_pOpenChart; }

    void ShowChecks();

private:
    void BuildSortMenu(QMenu* viewMenu);
    void BuildPeriodMenu(QMenu* viewMenu);
    void BuildColumnsMenu(QMenu* viewMenu);

    CCatalogView* m_pView;
    QMenu* m_pSortMenu = nullptr;
    QMenu* m_pPeriodMenu = nullptr;
    std::map<SortKey, QAction*> m_sortActions;
    QAction* m_pDescending = nullptr;
    std::map<PeriodChoice, QAction*> m_periodActions;
    QAction* m_pFilter = nullptr;
    QMenu* m_pColumnsMenu = nullptr;
    std::map<int, QAction*> m_columnActions;  // 0: 自動
    QAction* m_pHoverPreview = nullptr;
    QAction* m_pOpenChart = nullptr;
};

} // namespace mosgrid
