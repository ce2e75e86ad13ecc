#pragma once

#include <QObject>

class QAction;
class QMainWindow;
class QMenu;

namespace mosgrid {

class CCatalogView;
class ScreenBar;
class ScreenController;

// 表示 > 条件で絞り込み… (Ctrl+Shift+F): the condition field over the grid and what
// evaluates it.
class ScreenMenu : public QObject {
    Q_OBJECT
public:
    ScreenMenu(QMenu* viewMenu, QMainWindow* frame, CCatalogView* view);

    QAction* screenAction() const { return m_pAction; }
    ScreenBar& bar() const { return *m_pBar; }
    ScreenController& controller() const { return *m_pController; }

private:
    ScreenController* m_pController;
    ScreenBar* m_pBar;
    QAction* m_pAction;
};

} // namespace mosgrid
