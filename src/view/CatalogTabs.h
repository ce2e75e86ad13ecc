#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QTabBar;
class QWidget;

namespace mosgrid {

class CatalogModel;

// Several lists open at once, one catalog model each, and the tab bar that switches between
// them. The bar shows only while two or more lists are open; with one the window is as it
// always was. Each model keeps its own scroll position, selection, search text and
// narrowings; only the one shown builds thumbnails.
class CatalogTabs : public QObject {
    Q_OBJECT
public:
    using ModelMaker = std::function<std::unique_ptr<CatalogModel>()>;
    // makeModel: a new catalog with nothing loaded; barParent: where the bar lies.
    CatalogTabs(ModelMaker makeModel, QWidget* barParent);
    ~CatalogTabs() override;

    int count() const { return static_cast<int>(m_models.size()); }
    int currentIndex() const { return m_nCurrent; }
    CatalogModel& current() const { return *m_models[static_cast<std::size_t>(m_nCurrent)]; }
    CatalogModel& at(int index) const { return *m_models[static_cast<std::size_t>(index)]; }
    QTabBar* bar() const { return m_pBar; }
    // The list file of every tab, in tab order.
    std::vector<std::string> files() const;

    // A new tab reading path (never removed), shown at once.
    void Open(std::string path);
    void Switch(int index);
    // step +1 the next tab, -1 the one before, around the ends.
    void Step(int step);
    // Closes a tab; the last one stays (false).
    bool Close(int index);
    // The tab's title follows its list file (after an open in it).
    void Retitle(int index);

signals:
    // Another catalog is shown: previous stops building, now is shown.
    void currentChanged(CatalogModel& previous, CatalogModel& now);
    // A tab opened, closed or switched: the set to remember.
    void tabsChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddTab(std::unique_ptr<CatalogModel> model);
    void ShowBar();

    ModelMaker m_makeModel;
    std::vector<std::unique_ptr<CatalogModel>> m_models;
    int m_nCurrent = 0;
    QTabBar* m_pBar;
};

} // namespace mosgrid
