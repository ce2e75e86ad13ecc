#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace mosgrid {

class CCatalogView;

// 表示 > 騰落率で色分け: the check item of [Name] Heat. Turning it on or off stores the key
// and draws every thumbnail again, as the settings sheet's OK does.
class HeatCommand : public QObject {
    Q_OBJECT
public:
    HeatCommand(QMenu* viewMenu, CCatalogView* view, QObject* parent);

    QAction* action() const { return m_pAction; }
    void ShowCheck();

private:
    void Toggle(bool on);

    CCatalogView* m_pView;
    QAction* m_pAction = nullptr;
};

} // namespace mosgrid
