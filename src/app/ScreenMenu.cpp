#include "app/ScreenMenu.h"

#include "app/CommandString.h"
#include "screen/ScreenTexts.h"
#include "view/CCatalogView.h"
#include "view/ScreenBar.h"
#include "view/ScreenController.h"

#include <QDockWidget>
#include <QMainWindow>
#include <QMenu>

namespace mosgrid {

ScreenMenu::ScreenMenu(QMenu* viewMenu, QMainWindow* frame, CCatalogView* view)
    : QObject(frame)
    , m_pController(new ScreenController(*view, this))
    , m_pBar(new ScreenBar(*m_pController, view))
    , m_pAction(viewMenu->addAction(ScreenTexts::kMenuScreen))
{
    // A fixed strip above the grid, neither movable nor listed among the window's bars.
    auto* room = new QDockWidget(frame);
    room->setObjectName(QStringLiteral("screenRoom"));
    room->setFeatures(QDockWidget::NoDockWidgetFeatures);
    room->setTitleBarWidget(new QWidget(room));
    room->toggleViewAction()->setVisible(false);
    room->setWidget(m_pBar);
    frame->addDockWidget(Qt::TopDockWidgetArea, room);
    room->hide();
    connect(m_pBar, &ScreenBar::shownChanged, room, &QDockWidget::setVisible);

    m_pAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
    // The window's shortcut, whichever control has the focus.
    m_pAction->setShortcutContext(Qt::WindowShortcut);
    SetCommandString(m_pAction, ScreenTexts::kCmdScreen);
    connect(m_pAction, &QAction::triggered, m_pBar, [this] { m_pBar->Open(); });
    // A grid narrowed by the last session's condition shows why.
    if (!m_pController->condition().isEmpty())
        m_pBar->Open(false);
}

} // namespace mosgrid
