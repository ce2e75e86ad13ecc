#pragma once

#include <QWidget>

class CCatalogView;
class QLabel;
class QLineEdit;

// The search field above the grid (Ctrl+F): as the user types, only securities whose code
// or name contain the text are shown, and "n / N" tells how many. Escape clears the filter
// and hides the field; Enter or Down hands the keys back to the grid. Hidden, it takes no
// room: the grid is exactly as without it.
class GridSearchBar : public QWidget {
    Q_OBJECT
public:
    explicit GridSearchBar(CCatalogView* view);

    void Open();
    // Clears the filter and hides the field.
    void Dismiss();
    // Lays itself over the top of the view and keeps the grid below it.
    void PlaceIn(CCatalogView& view);

    QLineEdit* field() const { return m_pField; }
    QString countText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowCount();

    CCatalogView* m_pView;
    QLineEdit* m_pField;
    QLabel* m_pCount;
};
