#include "view/ChartActions.h"

namespace mosgrid {

namespace {

struct KeyAction {
    int key;
    Qt::KeyboardModifiers modifiers;
    ChartAction action;
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kControl = Qt::ControlModifier;

const KeyAction kKeys[] = {
    {Qt::Key_Plus, kNone, ChartAction::ZoomIn},
    {Qt::Key_Plus, kShift, ChartAction::ZoomIn},   // '+' is shifted on many layouts
    {Qt::Key_Equal, kNone, ChartAction::ZoomIn},
    {Qt::Key_Minus, kNone, ChartAction::ZoomOut},
    {Qt::Key_Left, kNone, ChartAction::BarBack},
    {Qt::Key_Right, kNone, ChartAction::BarForward},
    {Qt::Key_Left, kShift, ChartAction::ScreenBack},
    {Qt::Key_Right, kShift, ChartAction::ScreenForward},
    {Qt::Key_Left, kControl, ChartAction::CrosshairBack},
    {Qt::Key_Right, kControl, ChartAction::CrosshairForward},
    {Qt::Key_Home, kNone, ChartAction::Oldest},
    {Qt::Key_End, kNone, ChartAction::Newest},
    {Qt::Key_D, kNone, ChartAction::Daily},
    {Qt::Key_W, kNone, ChartAction::Weekly},
    {Qt::Key_M, kNone, ChartAction::Monthly},
    {Qt::Key_L, kNone, ChartAction::Log},
    {Qt::Key_PageDown, kNone, ChartAction::NextItem},
    {Qt::Key_Space, kNone, ChartAction::NextItem},
    {Qt::Key_PageUp, kNone, ChartAction::PreviousItem},
    {Qt::Key_Backspace, kNone, ChartAction::PreviousItem},
    {Qt::Key_S, kNone, ChartAction::Slideshow},
    {Qt::Key_C, kControl, ChartAction::Copy},
    {Qt::Key_S, kControl, ChartAction::Save},
    {Qt::Key_P, kControl, ChartAction::Print},
    {Qt::Key_Escape, kNone, ChartAction::Close},
};

} // namespace

std::optional<ChartAction> ChartActionOf(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers plain = modifiers & ~Qt::KeypadModifier;
    for (const KeyAction& entry : kKeys) {
        if (entry.key == key && entry.modifiers == plain)
            return entry.action;
    }
    return std::nullopt;
}

} // namespace mosgrid
