#include "app/FlagMenus.h"

#include "app/CommandString.h"
#include "base/FlagTexts.h"
#include "view/CCatalogView.h"
#include "model/ItemFlags.h"

#include <QActionGroup>
#include <QMenu>

namespace mosgrid {

namespace {

constexpr int kFilterColorsFrom = 2;  // after 絞り込まない and 旗のある銘柄すべて

ItemFlags::Filter FilterAt(int index)
{
    using Kind = ItemFlags::Filter::Kind;
    if (index == 0)
        return {};
    if (index == 1)
        return {Kind::Any, FlagColor::None};
    return {Kind::One, static_cast<FlagColor>(index - kFilterColorsFrom + 1)};
}

} // namespace

FlagMenus::FlagMenus(QMenu* viewMenu, CCatalogView* view, QObject* parent)
    : QObject(parent)
    , m_pView(view)
{
    viewMenu->addSeparator();
    BuildSetMenu(viewMenu);
    BuildFilterMenu(viewMenu);
    connect(viewMenu, &QMenu::aboutToShow, this, &FlagMenus::ShowChecks);
    connect(&m_pView->flags(), &ItemFlags::flagsChanged, this, &FlagMenus::ShowChecks);
    ShowChecks();
}

void FlagMenus::BuildSetMenu(QMenu* viewMenu)
{
    m_pSetMenu = viewMenu->addMenu(FlagTexts::kMenuSetFlag);
    SetCommandString(m_pSetMenu->menuAction(), FlagTexts::kCmdSetFlag);
    const auto add = [this](FlagColor color, const QString& text, const QString& command) {
        QAction* action = m_pSetMenu->addAction(text);
        action->setShortcut(QKeySequence(Qt::Key_0 + FlagNumber(color)));
        // Only while the grid has the focus: digits typed into the search field stay there.
        action->setShortcutContext(Qt::WidgetShortcut);
        m_pView->addAction(action);
        SetCommandString(action, command);
        m_setActions.at(std::size_t(FlagNumber(color))) = action;
        connect(action, &QAction::triggered, this,
                [this, color] { m_pView->flags().ApplyKey(color); });
    };
    for (int number = 1; number <= kFlagColorCount; ++number)
        add(static_cast<FlagColor>(number), FlagTexts::kColorNames.at(std::size_t(number - 1)),
            FlagTexts::kCmdSetFlag);
    m_pSetMenu->addSeparator();
    add(FlagColor::None, FlagTexts::kMenuClearFlag, FlagTexts::kCmdClearFlag);
}

void FlagMenus::BuildFilterMenu(QMenu* viewMenu)
{
    m_pFilterMenu = viewMenu->addMenu(FlagTexts::kMenuFlagFilter);
    SetCommandString(m_pFilterMenu->menuAction(), FlagTexts::kCmdFlagFilter);
    auto* group = new QActionGroup(m_pFilterMenu);
    for (std::size_t index = 0; index < m_filterActions.size(); ++index) {
        if (index == kFilterColorsFrom)
            m_pFilterMenu->addSeparator();
        const QString text = index == 0 ? FlagTexts::kFilterOff
            : index == 1               ? FlagTexts::kFilterAny
                                       : FlagTexts::kColorNames.at(index - kFilterColorsFrom);
        QAction* action = m_pFilterMenu->addAction(text);
        action->setCheckable(true);
        action->setActionGroup(group);
        SetCommandString(action, FlagTexts::kCmdFlagFilter);
        m_filterActions[index] = action;
        connect(action, &QAction::triggered, this, [this, index] {
            m_pView->flags().SetFilter(FilterAt(static_cast<int>(index)));
        });
    }
}

void FlagMenus::ShowChecks()
{
    const ItemFlags::Filter& filter = m_pView->flags().filter();
    for (std::size_t index = 0; index < m_filterActions.size(); ++index)
        m_filterActions[index]->setChecked(FilterAt(static_cast<int>(index)) == filter);
}

} // namespace mosgrid
