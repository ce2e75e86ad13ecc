#pragma once

#include "settings/FlagColor.h"

#include <QObject>

#include <array>

class QAction;
class QMenu;

namespace mosgrid {

class CCatalogView;

// The View menu's colour flags: 旗を付ける (keys 1–6 flag the selected securities, 0 takes
// the flag off) and 旗で絞り込み (all, any flag, or one colour). The keys act while the grid
// has the focus, so typing into the search field is left alone.
class FlagMenus : public QObject {
    Q_OBJECT
public:
    FlagMenus(QMenu* viewMenu, CCatalogView* view, QObject* parent);

    QMenu* setMenu() const { return m_pSetMenu; }
    QMenu* filterMenu() const { return m_pFilterMenu; }
    // 0: 旗を外す, 1–6: the colours.
    QAction* setAction(FlagColor color) const { return m_setActions.at(FlagNumber(color)); }
    // 0: 絞り込まない, 1: 旗のある銘柄すべて, 2–7: the colours.
    QAction* filterAction(int index) const { return m_filterActions.at(std::size_t(index)); }

    void ShowChecks();

private:
    void BuildSetMenu(QMenu* viewMenu);
    void BuildFilterMenu(QMenu* viewMenu);

    CCatalogView* m_pView;
    QMenu* m_pSetMenu = nullptr;
    QMenu* m_pFilterMenu = nullptr;
    std::array<QAction*, kFlagColorCount + 1> m_setActions{};
    std::array<QAction*, kFlagColorCount + 2> m_filterActions{};
};

} // namespace mosgrid
