#include "view/GridKeyboard.h"

#include "view/CCatalogView.h"
#include "view/GridKeys.h"
#include "view/GridSearchBar.h"
#include "view/PreviewController.h"
#include "view/ShownOrder.h"

#include <QKeyEvent>

#include <optional>

namespace {

std::optional<GridKeys::Key> MoveKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return GridKeys::Key::Left;
    case Qt::Key_Right:
        return GridKeys::Key::Right;
    case Qt::Key_Up:
        return GridKeys::Key::Up;
    case Qt::Key_Down:
        return GridKeys::Key::Down;
    case Qt::Key_Home:
        return GridKeys::Key::Home;
    case Qt::Key_End:
        return GridKeys::Key::End;
    case Qt::Key_PageUp:
        return GridKeys::Key::PageUp;
    case Qt::Key_PageDown:
        return GridKeys::Key::PageDown;
    case Qt::Key_Escape:
        return GridKeys::Key::Escape;
    default:
        return std::nullopt;
    }
}

std::optional<PeriodChoice> PeriodKeyOf(int key)
{
    switch (key) {
    case Qt::Key_D:
        return PeriodChoice::Daily;
    case Qt::Key_W:
        return PeriodChoice::Weekly;
    case Qt::Key_M:
        return PeriodChoice::Monthly;
    default:
        return std::nullopt;
    }
}

} // namespace

bool GridKeyboard::HandleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const int key = event->key();
    if (key == Qt::Key_F && modifiers == Qt::ControlModifier) {
        m_view.searchBar().Open();
        return true;
    }
    if (modifiers != Qt::NoModifier)
        return false;

    if (key == Qt::Key_Escape && m_view.preview().isShown()) {
        m_view.preview().Close();
        return true;
    }
    const ShownOrder& order = m_view.shownOrder();
    const int position = order.PositionOf(m_view.m_nSelected);
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (position >= 0)
            m_view.LaunchItem(m_view.m_nSelected);
        return true;
    }
    if (key == Qt::Key_Space) {
        if (m_view.preview().isShown())
            m_view.preview().Close();
        else if (position >= 0)
            m_view.preview().ShowFor(m_view.m_nSelected);
        return true;
    }
    if (const std::optional<PeriodChoice> period = PeriodKeyOf(key)) {
        m_view.SetPeriodChoice(*period);
        return true;
    }
    const std::optional<GridKeys::Key> move = MoveKeyOf(key);
    if (!move)
        return false;
    GridKeys::State state;
    state.count = order.count();
    state.columns = m_view.m_nColumns;
    state.rowsOnScreen = m_view.RowsOnScreen();
    state.selected = position;
    state.topIndex = m_view.m_nTopIndex;
    const GridKeys::Result result = GridKeys::Move(state, *move);
    m_view.preview().Close();
    m_view.SelectAndScroll(order.ItemAt(result.selected), result.topIndex);
    return true;
}
