#include "view/GridKeyboard.h"

#include "model/CatalogModel.h"
#include "model/ShownOrder.h"
#include "view/GridKeys.h"
#include "view/GridSearchBar.h"
#include "view/GridSurface.h"
#include "view/PreviewController.h"
#include "view/SelectionClipboard.h"

#include <QKeyEvent>

#include <optional>

namespace mosgrid {

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
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const Qt::KeyboardModifiers modifiers =
        event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const int key = event->key();
    if (modifiers == Qt::ControlModifier && !shift) {
        switch (key) {
        case Qt::Key_F:
            m_searchBar.Open();
            return true;
        case Qt::Key_A:
            SelectAll();
            return true;
        case Qt::Key_C:
            CopySelection(m_surface.model().items(), m_surface.model().selection().InShownOrder(m_surface.model().shownOrder()));
            return true;
        default:
            return false;
        }
    }
    if (modifiers != Qt::NoModifier)
        return false;

    if (key == Qt::Key_Escape && m_preview.isShown()) {
        m_preview.Close();
        return true;
    }
    const ShownOrder& order = m_surface.model().shownOrder();
    const int current = m_surface.model().selection().current();
    const int position = order.PositionOf(current);
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (position >= 0)
            m_surface.LaunchItem(current);
        return true;
    }
    if (key == Qt::Key_Space) {
        if (m_preview.isShown())
            m_preview.Close();
        else if (position >= 0)
            m_preview.ShowFor(current);
        return true;
    }
    if (const std::optional<PeriodChoice> period = PeriodKeyOf(key)) {
        m_surface.model().SetPeriodChoice(*period);
        return true;
    }
    const std::optional<GridKeys::Key> move = MoveKeyOf(key);
    if (!move)
        return false;
    GridKeys::State state;
    state.count = order.count();
    state.columns = m_surface.columns();
    state.rowsOnScreen = m_surface.RowsOnScreen();
    state.selected = position;
    state.topIndex = m_surface.model().topIndex();
    const GridKeys::Result result = GridKeys::Move(state, *move);
    m_preview.Close();
    const int item = order.ItemAt(result.selected);
    // Shift extends the range from where it was anchored; Escape always clears.
    if (shift && item >= 0 && *move != GridKeys::Key::Escape) {
        CatalogSelection selection = m_surface.model().selection();
        selection.ExtendTo(item, order);
        m_surface.model().SetSelection(selection);
        m_surface.ScrollTo(result.topIndex);
        return true;
    }
    m_surface.SelectAndScroll(item, result.topIndex);
    return true;
}

void GridKeyboard::SelectAll()
{
    CatalogSelection selection = m_surface.model().selection();
    selection.SelectAll(m_surface.model().shownOrder());
    m_surface.model().SetSelection(selection);
}

} // namespace mosgrid
